#include "Artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QtMath>
#include <algorithm>
#include <functional>
#include <utility>

namespace {

// Draws the picture into a logical area of `size`; the painter is already
// scaled for the device pixel ratio. Disabled is never passed: the engine
// fades the Normal picture itself.
using DrawFn = std::function<void(QPainter&, const QSizeF& size, QIcon::Mode, QIcon::State)>;

// Fades a picture for a disabled control: grey, lighter, half transparent.
QPixmap Faded(const QPixmap& source) {
  QImage img = source.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = line[x];
      const int g = (qGray(c) * 3 + 255 * 2) / 5;
      line[x] = qRgba(g, g, g, qAlpha(c) * 11 / 20);
    }
  }
  QPixmap out = QPixmap::fromImage(img);
  out.setDevicePixelRatio(source.devicePixelRatio());
  return out;
}

// An icon painted on demand for the exact size and device pixel ratio it is
// shown at, and cached, so that creating one costs nothing and every screen
// gets a sharp picture.
class DrawnIconEngine final : public QIconEngine {
 public:
  DrawnIconEngine(QString cacheKey, QSize designSize, DrawFn draw, QList<QSize> sizes = {})
      : key_(std::move(cacheKey)),
        design_(designSize),
        draw_(std::move(draw)),
        sizes_(std::move(sizes)) {}

  QIconEngine* clone() const override { return new DrawnIconEngine(*this); }
  QString key() const override { return QStringLiteral("KeyloomDrawnIcon"); }
  bool isNull() override { return false; }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return sizes_.isEmpty() ? QList<QSize>{design_} : sizes_;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    painter->drawPixmap(rect.topLeft(), Render(rect.size(), ratio, mode, state));
  }

  // Asked for device pixels without the ratio: a whole multiple of the
  // design size is read as that ratio, so lines stay on the pixel grid.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    int k = std::max(1, qRound(qreal(size.height()) / std::max(1, design_.height())));
    if (size.width() % k != 0 || size.height() % k != 0) k = 1;
    QPixmap pm = Render(size / k, k, mode, state);
    return pm;
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    if (scale <= 1.0) return Render(size, 1.0, mode, state);
    const QSize logical(qRound(size.width() / scale), qRound(size.height() / scale));
    return Render(logical, scale, mode, state);
  }

 private:
  QPixmap Render(QSize logical, qreal ratio, QIcon::Mode mode, QIcon::State state) const {
    if (logical.isEmpty()) return {};
    const QString cacheKey = QStringLiteral("keyloom|%1|%2x%3@%4|%5|%6")
                                 .arg(key_)
                                 .arg(logical.width())
                                 .arg(logical.height())
                                 .arg(ratio)
                                 .arg(int(mode))
                                 .arg(int(state));
    QPixmap pm;
    if (QPixmapCache::find(cacheKey, &pm)) return pm;
    pm = QPixmap(qCeil(logical.width() * ratio), qCeil(logical.height() * ratio));
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    {
      QPainter p(&pm);
      p.setRenderHint(QPainter::Antialiasing);
      p.setRenderHint(QPainter::TextAntialiasing);
      draw_(p, QSizeF(logical), mode == QIcon::Disabled ? QIcon::Normal : mode, state);
    }
    if (mode == QIcon::Disabled) pm = Faded(pm);
    QPixmapCache::insert(cacheKey, pm);
    return pm;
  }

  QString key_;
  QSize design_;
  DrawFn draw_;
  QList<QSize> sizes_;
};

QIcon Drawn(const QString& cacheKey, QSize designSize, DrawFn draw, QList<QSize> sizes = {}) {
  return QIcon(new DrawnIconEngine(cacheKey, designSize, std::move(draw), std::move(sizes)));
}

QFont LegendFont(int pixelSize, QFont::Weight weight) {
  QFont f = QGuiApplication::font();
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(std::max(1, pixelSize));
  f.setWeight(weight);
  return f;
}

// ---------------------------------------------------------------- keycaps

struct KeycapColours {
  QColor faceTop, faceBottom, side, outline;
};

KeycapColours ColoursOf(KeycapColour colour) {
  if (colour == KeycapColour::Green)
    return {QColor(0xc4, 0xf0, 0xb6), QColor(0x8e, 0xd8, 0x7c), QColor(0x5a, 0xa8, 0x4c),
            QColor(0x2b, 0x5e, 0x24)};
  return {QColor(0xf8, 0xf8, 0xf8), QColor(0xd8, 0xd8, 0xd8), QColor(0xa6, 0xa6, 0xa6),
          QColor(0x5c, 0x5c, 0x5c)};
}

const QColor kLegendInk(0x10, 0x10, 0x10);

// The keycap fills `size` but for a one-pixel margin, so that neighbouring
// keys show a gap. Seen from above: a dark outline, the key's skirt, thicker
// at the front, and the lighter top face carrying the legends. A key pressed
// in (being clicked, or a toggle that is down) shows its face lowered.
void DrawKeycap(QPainter& p, const QSizeF& size, QIcon::Mode mode, QIcon::State state,
                const QStringList& lines, const KeycapColours& c, bool toggle) {
  const bool down = state == QIcon::On;
  const bool clicking = mode == QIcon::Active;
  const bool sunk = down || clicking;
  const qreal w = size.width(), h = size.height();
  const qreal radius = std::min(3.0, std::min(w, h) / 6);

  const QRectF body(1, 1, w - 2, h - 2);
  p.setPen(QPen(c.outline, 1));
  p.setBrush(sunk ? c.side.darker(112) : c.side);
  p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

  // Face: one pixel of skirt at the sides, more at the front.
  const qreal front = std::clamp(std::round(h / 9), 2.0, 4.0);
  QRectF face(body.left() + 2, body.top() + 1, body.width() - 4, body.height() - 2 - front);
  if (sunk) face.translate(0, front / 2 >= 1 ? std::floor(front / 2) : 1);
  QColor top = c.faceTop, bottom = c.faceBottom;
  // A key pressed in catches the rim's shadow at the top of its face.
  if (clicking) {
    top = c.faceBottom.darker(130);
    bottom = c.faceTop.darker(112);
  } else if (down) {
    top = c.faceBottom.darker(118);
    bottom = c.faceTop.darker(104);
  } else if (mode == QIcon::Selected) {
    top = top.lighter(104);
    bottom = bottom.lighter(108);
  }
  QLinearGradient grad(face.topLeft(), face.bottomLeft());
  grad.setColorAt(0, top);
  grad.setColorAt(1, bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(grad);
  p.drawRoundedRect(face, radius - 1, radius - 1);

  // A toggle's lamp, top right of the face: lit while the toggle is down.
  if (toggle) {
    const qreal lw = std::max(3.0, std::round(w / 9)), lh = 3;
    const QRectF lamp(face.right() - lw - 2, face.top() + 2, lw, lh);
    p.setPen(QPen(down ? QColor(0x7a, 0x55, 0x00) : c.outline, 0.8));
    p.setBrush(down ? QColor(0xff, 0xc8, 0x1e) : c.side.darker(115));
    p.drawRect(lamp);
  }

  if (lines.isEmpty()) return;
  // Legends: a single character large and bold, a name smaller. Two lines
  // (a shifted legend above its key's own, or a name in two words) sit on
  // baselines of their own near the face's top and bottom, as printed on a
  // real keycap. A name too wide for the face shrinks, long names first
  // losing their bold.
  const QRectF area = face.adjusted(1, 0, -1, 0);
  const int n = int(lines.size());
  p.setPen(kLegendInk);
  for (int i = 0; i < n; ++i) {
    const QString& text = lines[i];
    const bool single = text.size() == 1;
    int px;
    if (n == 1)
      px = single ? qRound(std::min(13.0, area.height() * 0.62))
                  : qRound(std::min(10.0, area.height() * 0.5));
    else
      px = single ? qRound(std::min(9.0, area.height() * 0.45))
                  : qRound(std::min(9.0, area.height() * 0.46));
    QFont f = LegendFont(px, single            ? QFont::Bold
                             : text.size() > 6 ? QFont::Normal
                                               : QFont::DemiBold);
    while (px > 6 && QFontMetricsF(f).horizontalAdvance(text) > area.width() - 1) {
      --px;
      f.setPixelSize(px);
    }
    p.setFont(f);
    if (n == 1) {
      p.drawText(area, Qt::AlignCenter, text);
      continue;
    }
    const QFontMetricsF fm(f);
    const qreal x = area.left() + (area.width() - fm.horizontalAdvance(text)) / 2;
    const qreal baseline =
        i == 0 ? std::round(area.top() + 1 + fm.capHeight()) : std::round(area.bottom() - 1.5);
    p.drawText(QPointF(x, baseline), text);
  }
}

// ---------------------------------------------------------- tool bar art

const QColor kInk(0x3a, 0x3f, 0x45);

void DrawPage(QPainter& p) {
  QPainterPath page;
  page.moveTo(4.5, 1.5);
  page.lineTo(12.5, 1.5);
  page.lineTo(16.5, 5.5);
  page.lineTo(16.5, 18.5);
  page.lineTo(4.5, 18.5);
  page.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::white);
  p.drawPath(page);
  QPainterPath fold;
  fold.moveTo(12.5, 1.5);
  fold.lineTo(12.5, 5.5);
  fold.lineTo(16.5, 5.5);
  fold.closeSubpath();
  p.setBrush(QColor(0xd8, 0xdc, 0xe0));
  p.drawPath(fold);
}

void DrawPlusBadge(QPainter& p, QPointF centre, qreal r) {
  p.setPen(QPen(QColor(0x1d, 0x6b, 0x2a), 1));
  p.setBrush(QColor(0x2f, 0xa0, 0x44));
  p.drawEllipse(centre, r, r);
  p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::FlatCap));
  const qreal a = r * 0.55;
  p.drawLine(QPointF(centre.x() - a, centre.y()), QPointF(centre.x() + a, centre.y()));
  p.drawLine(QPointF(centre.x(), centre.y() - a), QPointF(centre.x(), centre.y() + a));
}

void DrawFloppy(QPainter& p) {
  QPainterPath disk;
  disk.moveTo(2.5, 2.5);
  disk.lineTo(15.0, 2.5);
  disk.lineTo(17.5, 5.0);
  disk.lineTo(17.5, 17.5);
  disk.lineTo(2.5, 17.5);
  disk.closeSubpath();
  p.setPen(QPen(QColor(0x1f, 0x3f, 0x70), 1));
  p.setBrush(QColor(0x3a, 0x6e, 0xb8));
  p.drawPath(disk);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(5, 3, 9, 6));  // label
  p.setBrush(QColor(0xc9, 0xd3, 0xdf));
  p.drawRect(QRectF(6, 12, 8, 5));  // shutter
  p.setBrush(QColor(0x1f, 0x3f, 0x70));
  p.drawRect(QRectF(11, 13, 2, 3));
  p.setBrush(QColor(0x9a, 0xa8, 0xb8));
  p.drawRect(QRectF(6, 5, 7, 1));
}

void DrawMiniKeypad(QPainter& p, const QRectF& r, bool greenFirst) {
  p.setPen(QPen(QColor(0x22, 0x2a, 0x33), 1));
  p.setBrush(QColor(0x3b, 0x4a, 0x5a));
  p.drawRoundedRect(r, 1.5, 1.5);
  p.setPen(Qt::NoPen);
  const int cols = 3, rows = r.height() > r.width() ? 4 : 2;
  const qreal kw = (r.width() - 2) / cols, kh = (r.height() - 2) / rows;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < cols; ++x) {
      p.setBrush(greenFirst && x == 0 && y == 0 ? QColor(0x8e, 0xd8, 0x7c)
                                                : QColor(0xe4, 0xe8, 0xec));
      p.drawRect(QRectF(r.left() + 1.5 + x * kw, r.top() + 1.5 + y * kh, kw - 1, kh - 1));
    }
}

void DrawToolArt(const QString& name, QPainter& p, const QSizeF& size) {
  p.scale(size.width() / 20.0, size.height() / 20.0);
  if (name == QLatin1String("ToolBtnNew")) {
    DrawPage(p);
    p.setPen(QPen(QColor(0xb0, 0xb8, 0xc0), 1));
    for (qreal y : {8.5, 11.5}) p.drawLine(QPointF(7, y), QPointF(14, y));
    DrawPlusBadge(p, QPointF(14.5, 14.5), 4.5);
  } else if (name == QLatin1String("ToolBtnOpen")) {
    QPainterPath back;
    back.moveTo(1.5, 4.5);
    back.lineTo(7.0, 4.5);
    back.lineTo(8.5, 6.5);
    back.lineTo(16.5, 6.5);
    back.lineTo(16.5, 16.5);
    back.lineTo(1.5, 16.5);
    back.closeSubpath();
    p.setPen(QPen(QColor(0x8a, 0x62, 0x10), 1));
    p.setBrush(QColor(0xd9, 0xa4, 0x2e));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(4.5, 9.5);
    front.lineTo(19.0, 9.5);
    front.lineTo(16.5, 16.5);
    front.lineTo(1.5, 16.5);
    front.closeSubpath();
    p.setBrush(QColor(0xf6, 0xcb, 0x5c));
    p.drawPath(front);
  } else if (name == QLatin1String("ToolBtnSave")) {
    DrawFloppy(p);
  } else if (name == QLatin1String("ToolBtnSaveAs")) {
    p.save();
    p.translate(0, 0);
    p.scale(0.8, 0.8);
    DrawFloppy(p);
    p.restore();
    // A pencil across the lower right corner.
    p.save();
    p.translate(14.5, 14.5);
    p.rotate(-45);
    p.setPen(QPen(QColor(0x5a, 0x44, 0x10), 0.8));
    p.setBrush(QColor(0xf2, 0xb6, 0x2c));
    p.drawRect(QRectF(-2.5, -2, 9, 4));
    p.setBrush(QColor(0xf0, 0xd8, 0xb0));
    QPainterPath tip;
    tip.moveTo(-2.5, -2);
    tip.lineTo(-6.5, 0);
    tip.lineTo(-2.5, 2);
    tip.closeSubpath();
    p.drawPath(tip);
    p.restore();
  } else if (name == QLatin1String("ToolBtnParameters")) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 2.5, 17, 15), 1.5, 1.5);
    const QColor knobs[] = {QColor(0x2f, 0x6f, 0xd0), QColor(0x2f, 0xa0, 0x44),
                            QColor(0xd0, 0x6a, 0x1c)};
    const qreal pos[] = {12, 7, 10};
    for (int i = 0; i < 3; ++i) {
      const qreal y = 6.5 + i * 4;
      p.setPen(QPen(QColor(0x90, 0x98, 0xa0), 1));
      p.drawLine(QPointF(4, y), QPointF(16, y));
      p.setPen(QPen(kInk, 0.8));
      p.setBrush(knobs[i]);
      p.drawRect(QRectF(pos[i] - 1.5, y - 1.5, 3, 3));
    }
  } else if (name == QLatin1String("btnSetPort")) {
    // A 9-pin serial connector with its cable.
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0x9e, 0xa8, 0xb2));
    p.drawRoundedRect(QRectF(0.5, 3.5, 19, 10), 1.5, 1.5);
    QPainterPath shell;
    shell.moveTo(3.5, 5.5);
    shell.lineTo(16.5, 5.5);
    shell.lineTo(14.5, 11.5);
    shell.lineTo(5.5, 11.5);
    shell.closeSubpath();
    p.setBrush(QColor(0x4a, 0x55, 0x62));
    p.drawPath(shell);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xd0, 0x60));
    for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(5.6 + i * 2.2, 7.5), 0.8, 0.8);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(6.7 + i * 2.2, 9.7), 0.8, 0.8);
    p.setBrush(kInk);
    p.drawRect(QRectF(8, 13.5, 4, 2));
    p.setBrush(QColor(0x2f, 0x6f, 0xd0));
    p.drawRect(QRectF(9, 15.5, 2, 4.5));
  } else if (name == QLatin1String("ToolBtnDownload")) {
    DrawMiniKeypad(p, QRectF(2.5, 11.5, 15, 7), true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0xa0, 0x44));
    QPainterPath arrow;
    arrow.moveTo(8, 0.5);
    arrow.lineTo(12, 0.5);
    arrow.lineTo(12, 5);
    arrow.lineTo(15, 5);
    arrow.lineTo(10, 10.5);
    arrow.lineTo(5, 5);
    arrow.lineTo(8, 5);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x1d, 0x6b, 0x2a), 0.8));
    p.drawPath(arrow);
  } else if (name == QLatin1String("ToolButtonTest")) {
    DrawMiniKeypad(p, QRectF(1.5, 1.5, 11, 17), true);
    QPainterPath tick;
    tick.moveTo(9, 11);
    tick.lineTo(12.5, 15);
    tick.lineTo(19, 6);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    p.setPen(QPen(QColor(0x2f, 0xa0, 0x44), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
  } else if (name == QLatin1String("ToolBtnHelp")) {
    p.setPen(QPen(QColor(0x1c, 0x4a, 0x94), 1));
    p.setBrush(QColor(0x2f, 0x6f, 0xd0));
    p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
    p.setPen(Qt::white);
    p.setFont(LegendFont(14, QFont::Bold));
    p.drawText(QRectF(1.5, 1.5, 17, 17), Qt::AlignCenter, QStringLiteral("?"));
  } else if (name == QLatin1String("ToolButtonKeyLabels")) {
    // A label sheet with a keycap legend on it.
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 12, 16));
    p.setPen(QPen(QColor(0xb0, 0xb8, 0xc0), 1));
    for (qreal y : {5.5, 9.5, 13.5}) p.drawLine(QPointF(4, y), QPointF(11, y));
    const KeycapColours c = ColoursOf(KeycapColour::Green);
    p.save();
    p.translate(5, 5);
    DrawKeycap(p, QSizeF(15, 15), QIcon::Normal, QIcon::Off, {QStringLiteral("A")}, c, false);
    p.restore();
  }
}

// Theme names that mean the same as our buttons.
QString ThemeNameFor(const QString& button) {
  if (button == QLatin1String("ToolBtnNew")) return QStringLiteral("document-new");
  if (button == QLatin1String("ToolBtnOpen")) return QStringLiteral("document-open");
  if (button == QLatin1String("ToolBtnSave")) return QStringLiteral("document-save");
  if (button == QLatin1String("ToolBtnSaveAs")) return QStringLiteral("document-save-as");
  if (button == QLatin1String("ToolBtnParameters")) return QStringLiteral("document-properties");
  if (button == QLatin1String("ToolBtnHelp")) return QStringLiteral("help-contents");
  return {};  // port, download, test and key labels have no common theme name
}

const QStringList kToolBarButtons = {
    QStringLiteral("ToolBtnNew"),        QStringLiteral("ToolBtnOpen"),
    QStringLiteral("ToolBtnSave"),       QStringLiteral("ToolBtnSaveAs"),
    QStringLiteral("ToolBtnParameters"), QStringLiteral("btnSetPort"),
    QStringLiteral("ToolBtnDownload"),   QStringLiteral("ToolButtonTest"),
    QStringLiteral("ToolBtnHelp"),       QStringLiteral("ToolButtonKeyLabels")};

}  // namespace

QIcon KeycapIcon(const QString& legend, const QString& shiftedLegend, KeycapColour colour,
                 bool toggle) {
  const QStringList lines =
      shiftedLegend.isEmpty() ? (legend.isEmpty() ? QStringList{} : legend.split(QLatin1Char('\n')))
                              : QStringList{shiftedLegend, legend};
  const KeycapColours c = ColoursOf(colour);
  // Legends may hold any character; a unit separator keeps the parts apart.
  const QChar sep(0x1f);
  const QString key = QStringLiteral("cap") + sep + legend + sep + shiftedLegend + sep +
                      (colour == KeycapColour::Green ? u'g' : u'k') + (toggle ? u't' : u'-');
  return Drawn(
      key, QSize(27, 26),
      [lines, c, toggle](QPainter& p, const QSizeF& size, QIcon::Mode mode, QIcon::State state) {
        DrawKeycap(p, size, mode, state, lines, c, toggle);
      });
}

QIcon ToolBarIcon(const QString& buttonObjectName) {
  if (!kToolBarButtons.contains(buttonObjectName)) return {};
  const QString name = buttonObjectName;
  QIcon drawn = Drawn(QStringLiteral("tool|") + name, QSize(20, 20),
                      [name](QPainter& p, const QSizeF& size, QIcon::Mode, QIcon::State) {
                        DrawToolArt(name, p, size);
                      });
  const QString theme = ThemeNameFor(name);
  if (theme.isEmpty() || !QIcon::hasThemeIcon(theme)) return drawn;
  return QIcon::fromTheme(theme, drawn);
}

QIcon KeyTypeIcon(TKeyType type) {
  if (type != ktShift && type != ktToggle) return {};
  const bool shift = type == ktShift;
  return Drawn(shift ? QStringLiteral("type|S") : QStringLiteral("type|T"), QSize(16, 16),
               [shift](QPainter& p, const QSizeF& size, QIcon::Mode, QIcon::State) {
                 const qreal s = size.height() / 16.0;
                 p.setPen(shift ? QColor(0xd0, 0x10, 0x10) : QColor(0x10, 0x3c, 0xd8));
                 p.setFont(LegendFont(qRound(15 * s), QFont::Black));
                 p.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter,
                            shift ? QStringLiteral("S") : QStringLiteral("T"));
               });
}

QIcon InsertArrowIcon() {
  return Drawn(QStringLiteral("insert"), QSize(20, 20),
               [](QPainter& p, const QSizeF& size, QIcon::Mode mode, QIcon::State) {
                 p.scale(size.width() / 20.0, size.height() / 20.0);
                 if (mode == QIcon::Active) p.translate(0.5, 0.5);
                 QPainterPath arrow;
                 arrow.moveTo(1.5, 10.5);
                 arrow.lineTo(10.5, 10.5);
                 arrow.lineTo(10.5, 6.5);
                 arrow.lineTo(18.5, 13.0);
                 arrow.lineTo(10.5, 19.5);
                 arrow.lineTo(10.5, 15.5);
                 arrow.lineTo(1.5, 15.5);
                 arrow.closeSubpath();
                 p.setPen(QPen(QColor(0x1c, 0x4a, 0x94), 1));
                 p.setBrush(QColor(0x2f, 0x6f, 0xd0));
                 p.drawPath(arrow);
                 // The plus sign, top left.
                 p.setPen(Qt::NoPen);
                 p.setBrush(QColor(0x2f, 0xa0, 0x44));
                 p.drawRect(QRectF(1, 3, 8, 2.5));
                 p.drawRect(QRectF(3.75, 0.25, 2.5, 8));
               });
}

QIcon DelayButtonIcon() {
  return KeycapIcon(QStringLiteral("Insert\nDelay"), QString(), KeycapColour::Grey);
}

QIcon AppIcon() {
  return Drawn(QStringLiteral("app"), QSize(32, 32),
               [](QPainter& p, const QSizeF& size, QIcon::Mode, QIcon::State) {
                 p.scale(size.width() / 32.0, size.height() / 32.0);
                 p.setPen(QPen(QColor(0x1c, 0x24, 0x2c), 1));
                 p.setBrush(QColor(0x36, 0x46, 0x57));
                 p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);
                 p.setPen(Qt::NoPen);
                 for (int y = 0; y < 3; ++y)
                   for (int x = 0; x < 3; ++x) {
                     const bool green = (x + y) % 4 == 0;
                     const QRectF key(4 + x * 8.5, 4 + y * 8.5, 7, 7);
                     p.setBrush(green ? QColor(0x5a, 0xa8, 0x4c) : QColor(0x9a, 0xa4, 0xae));
                     p.drawRoundedRect(key, 1.5, 1.5);
                     p.setBrush(green ? QColor(0xa8, 0xe4, 0x98) : QColor(0xee, 0xf0, 0xf2));
                     p.drawRoundedRect(key.adjusted(1, 0.5, -1, -2), 1, 1);
                   }
               },
               {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64),
                QSize(128, 128), QSize(256, 256)});
}
