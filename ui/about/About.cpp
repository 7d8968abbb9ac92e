#include "About.h"

#include <QFont>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <memory>

#include "Platform.h"

namespace {

constexpr int kClientWidth = 385;
constexpr int kClientHeight = 192;
const QSize kLogoSize(300, 83);

QFont DialogFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("Microsoft Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

// A one-line label placed at its left and top; like the labels of the
// original form it grows to fit its text, never below the width given.
QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& place, const QFont& font,
                  const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(font);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setGeometry(place);
  return label;
}

void FitWidth(QLabel* label, int minimumWidth) {
  const QRect g = label->geometry();
  label->setGeometry(g.x(), g.y(), std::max(minimumWidth, label->sizeHint().width()), g.height());
}

}  // namespace

QString GetOurVersion(const IPlatform& platform) {
  const std::optional<QString> version = platform.FileVersion();
  if (!version) return QStringLiteral("NA");
  return version->left(5);
}

TfrmAbout::TfrmAbout(const IPlatform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      fPlatform(platform) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);

  imgLogo = new QLabel(this);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setAttribute(Qt::WA_TranslucentBackground);
  const QPixmap logo = DrawMakerLogo(devicePixelRatioF());
  imgLogo->setPixmap(logo);
  imgLogo->setGeometry(QRect(QPoint(0, 0), kLogoSize));

  lblDescription = MakeLabel(this, "lblDescription", QRect(10, 93, 335, 20), DialogFont(13, true),
                             QStringLiteral("Corvella  KeyloomTVRxx"));
  lblDescription->setWordWrap(true);
  Label1 = MakeLabel(this, "Label1", QRect(10, 125, 353, 15), DialogFont(12, false),
                     QStringLiteral("Configuration program for TVR-series Orbis Serial Keypads"));
  lblNotice = MakeLabel(this, "lblNotice", QRect(10, 145, 187, 15), DialogFont(12, false),
                        QStringLiteral("\u00A9 2026 Corvella. All rights reserved."));
  lblVersion = MakeLabel(this, "lblVersion", QRect(10, 165, 65, 15), DialogFont(12, false),
                         QStringLiteral("Version x.xx"));
  FitWidth(Label1, 353);
  FitWidth(lblNotice, 187);

  btnOk = new QPushButton(QStringLiteral("OK"), this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(292, 154, 80, 22);
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &TfrmAbout::btnOkClick);
  setFocusProxy(btnOk);
  btnOk->setFocus();

  FormCreate();
}

void TfrmAbout::FormCreate() {
  lblVersion->setText(QStringLiteral("Version ") + GetOurVersion(fPlatform));
  FitWidth(lblVersion, 65);
}

void TfrmAbout::btnOkClick() { accept(); }

QPoint AboutDialogPlace(const QRect& mainOuter, const QSize& dialogOuter) {
  // C++ integer division truncates toward zero, as the placement asks.
  return {mainOuter.left() + mainOuter.width() / 2 - dialogOuter.width() / 2,
          mainOuter.top() + mainOuter.height() / 2 - dialogOuter.height() / 2};
}

void ShowAboutDialog(QWidget* mainWindow, const IPlatform& platform) {
  auto dialog = std::make_unique<TfrmAbout>(platform);
  if (mainWindow) {
    // The dialog has no frame before it is shown; it gets the same frame as
    // the main window, so its outer size is its own plus the main window's
    // frame margins.
    const QRect mainOuter = mainWindow->frameGeometry();
    const QSize margins = mainOuter.size() - mainWindow->size();
    dialog->move(AboutDialogPlace(mainOuter, dialog->size() + margins));
  }
  dialog->exec();
}

QPixmap DrawMakerLogo(qreal devicePixelRatio) {
  QPixmap pixmap(kLogoSize * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);

  // A small keypad: a rounded body with a 4 by 3 grid of keys, one lit.
  const QRectF body(14, 12, 64, 60);
  QLinearGradient shade(body.topLeft(), body.bottomLeft());
  shade.setColorAt(0, QColor(0x2f, 0x6f, 0xb5));
  shade.setColorAt(1, QColor(0x1b, 0x45, 0x7a));
  p.setPen(Qt::NoPen);
  p.setBrush(shade);
  p.drawRoundedRect(body, 9, 9);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 4; ++col) {
      const QRectF key(body.left() + 7 + col * 13.5, body.top() + 9 + row * 15, 10, 11);
      const bool lit = row == 1 && col == 2;
      p.setBrush(lit ? QColor(0xff, 0xc4, 0x3d) : QColor(0xe9, 0xf1, 0xfb));
      p.drawRoundedRect(key, 2.5, 2.5);
    }
  }

  // The maker's name and a thin rule under it.
  QFont name(QStringLiteral("DejaVu Sans"));
  name.setStyleHint(QFont::SansSerif);
  name.setPixelSize(34);
  name.setBold(true);
  name.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  p.setFont(name);
  p.setPen(QColor(0x1b, 0x45, 0x7a));
  p.drawText(QRectF(90, 10, 206, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Corvella"));
  p.setPen(QPen(QColor(0xff, 0xc4, 0x3d), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(92, 58), QPointF(286, 58));
  QFont tag(QStringLiteral("DejaVu Sans"));
  tag.setStyleHint(QFont::SansSerif);
  tag.setPixelSize(11);
  p.setFont(tag);
  p.setPen(QColor(0x55, 0x5f, 0x6b));
  p.drawText(QRectF(92, 62, 200, 16), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("programmable keypads"));
  return pixmap;
}
