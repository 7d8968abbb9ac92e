// The on-screen PC keyboard and the drawn artwork: names, Tags, colours,
// places, toggles, accessibility and sharp pictures at device pixel ratio 2.
// Run with --save-layout=FILE.png to lay the keyboard out in a window-sized
// picture for a look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QSet>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "Artwork.h"
#include "OnScreenKeyboard.h"

namespace {

struct ExpectedKey {
  const char* name;
  int tag;
  bool green;
  bool toggle;
};

// clang-format off
const ExpectedKey kExpected[] = {
  {"keyEsc", 1, true, false},
  {"keyTilde", 41, true, false}, {"keyNum1", 2, true, false}, {"keyNum2", 3, true, false},
  {"keyNum3", 4, true, false}, {"keyNum4", 5, true, false}, {"keyNum5", 6, true, false},
  {"keyNum6", 7, true, false}, {"keyNum7", 8, true, false}, {"keyNum8", 9, true, false},
  {"keyNum9", 10, true, false}, {"keyNum0", 11, true, false}, {"keyDash", 12, true, false},
  {"keyEqual", 13, true, false}, {"keyBackspace", 14, false, false},
  {"keyTab", 15, true, false}, {"keyQ", 16, true, false}, {"keyW", 17, true, false},
  {"keyE", 18, true, false}, {"keyR", 19, true, false}, {"keyT", 20, true, false},
  {"keyY", 21, true, false}, {"keyU", 22, true, false}, {"keyI", 23, true, false},
  {"keyO", 24, true, false}, {"keyP", 25, true, false}, {"keyLBrace", 26, true, false},
  {"keyRBrace", 27, true, false}, {"keyBSlash", 43, true, false},
  {"keyCapsLock", 58, false, true}, {"keyA", 30, true, false}, {"keyS", 31, true, false},
  {"keyD", 32, true, false}, {"keyF", 33, true, false}, {"keyG", 34, true, false},
  {"keyH", 35, true, false}, {"keyJ", 36, true, false}, {"keyK", 37, true, false},
  {"keyL", 38, true, false}, {"keyColon", 39, true, false}, {"keyQuote", 40, true, false},
  {"keyEnter", 28, true, false},
  {"keyLShift", 42, true, true}, {"keyZ", 44, true, false}, {"keyX", 45, true, false},
  {"keyC", 46, true, false}, {"keyV", 47, true, false}, {"keyB", 48, true, false},
  {"keyN", 49, true, false}, {"keyM", 50, true, false}, {"keyComma", 51, true, false},
  {"keyPeriod", 52, true, false}, {"keyFSlash", 53, true, false}, {"keyRShift", 54, false, true},
  {"keyLCtrl", 29, false, true}, {"keySpace", 57, true, false}, {"keyRCtrl", 87, false, true},
  {"kpDelete", 100, false, false}, {"kpDivide", 88, true, false}, {"kpMultiply", 55, true, false},
  {"kpMinus", 74, true, false}, {"kp7", 71, true, false}, {"kp8", 72, true, false},
  {"kp9", 73, true, false}, {"kpPlus", 78, true, false}, {"kp4", 75, true, false},
  {"kp5", 76, true, false}, {"kp6", 77, true, false}, {"kp1", 79, true, false},
  {"kp2", 80, true, false}, {"kp3", 81, true, false}, {"kpEnter", 86, true, false},
  {"kp0", 82, true, false}, {"kpPeriod", 83, true, false},
};
// clang-format on

const QRect kKeyboardArea(QPoint(59, 319), QPoint(688, 481));
const QRect kGroupBoxes[] = {
    QRect(89, 305, 359, 41),   // instructions
    QRect(458, 305, 113, 41),  // LED buttons
    QRect(581, 305, 113, 41),  // delay
    QRect(471, 352, 89, 129),  // manual entry
};

const char* const kToolButtons[] = {
    "ToolBtnNew", "ToolBtnOpen",     "ToolBtnSave",    "ToolBtnSaveAs", "ToolBtnParameters",
    "btnSetPort", "ToolBtnDownload", "ToolButtonTest", "ToolBtnHelp",   "ToolButtonKeyLabels"};

// The colour of a keycap's face, sampled left of its legend.
enum class Hue { Green, Grey, Other };
Hue FaceHue(const QToolButton* b) {
  const QImage img = b->icon().pixmap(b->size(), 1.0).toImage();
  const QColor c = img.pixelColor(4, 6);
  const int r = c.red(), g = c.green(), bl = c.blue();
  if (g - std::max(r, bl) > 25) return Hue::Green;
  if (std::max({r, g, bl}) - std::min({r, g, bl}) < 12 && g > 150) return Hue::Grey;
  return Hue::Other;
}

class OnScreenKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(755, 503);
    keys = CreateOnScreenKeyboard(&host);
  }
  QToolButton* Key(const char* name) { return host.findChild<QToolButton*>(name); }

  QWidget host;
  QList<QToolButton*> keys;
};

TEST_F(OnScreenKeyboardTest, EveryKeyHasItsNameTagColourAndKind) {
  ASSERT_EQ(keys.size(), int(std::size(kExpected)));
  QSet<QToolButton*> seen;
  for (const ExpectedKey& e : kExpected) {
    SCOPED_TRACE(e.name);
    QToolButton* b = Key(e.name);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(keys.contains(b));
    seen.insert(b);
    EXPECT_EQ(b->parentWidget(), &host);
    const QVariant tag = b->property("Tag");
    EXPECT_EQ(tag.typeId(), QMetaType::Int);
    EXPECT_EQ(tag.toInt(), e.tag);
    EXPECT_EQ(b->isCheckable(), e.toggle);
    EXPECT_FALSE(b->isChecked());
    EXPECT_EQ(FaceHue(b), e.green ? Hue::Green : Hue::Grey);
  }
  EXPECT_EQ(seen.size(), keys.size());
}

TEST_F(OnScreenKeyboardTest, KeysLieInTheirAreaWithoutOverlaps) {
  for (int i = 0; i < keys.size(); ++i) {
    const QRect r = keys[i]->geometry();
    SCOPED_TRACE(keys[i]->objectName().toStdString());
    EXPECT_GE(r.width(), 20);
    EXPECT_GE(r.height(), 20);
    EXPECT_TRUE(kKeyboardArea.contains(r));
    for (const QRect& box : kGroupBoxes) EXPECT_FALSE(r.intersects(box));
    for (int j = i + 1; j < keys.size(); ++j)
      EXPECT_FALSE(r.intersects(keys[j]->geometry())) << keys[j]->objectName().toStdString();
  }
  // Main block left of the manual entry box, keypad right of it.
  EXPECT_LT(Key("keyBackspace")->geometry().right(), kGroupBoxes[3].left());
  EXPECT_GT(Key("kpDelete")->geometry().left(), kGroupBoxes[3].right());
  // The wide and tall keys.
  EXPECT_EQ(Key("keyBackspace")->width(), 2 * Key("keyNum1")->width());
  EXPECT_EQ(Key("kpPlus")->height(), 2 * Key("kp9")->height());
  EXPECT_EQ(Key("kpEnter")->height(), 2 * Key("kp3")->height());
  EXPECT_EQ(Key("kp0")->width(), 2 * Key("kpPeriod")->width());
  EXPECT_GT(Key("keySpace")->width(), 5 * Key("keyA")->width());
}

TEST_F(OnScreenKeyboardTest, KeysAreFlatUnfocusableAndSpoken) {
  QSet<QString> names;
  for (QToolButton* b : keys) {
    SCOPED_TRACE(b->objectName().toStdString());
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(b->autoRaise());
    EXPECT_EQ(b->iconSize(), b->size());
    EXPECT_FALSE(b->accessibleName().isEmpty());
    EXPECT_FALSE(b->accessibleDescription().isEmpty());
    names.insert(b->accessibleName());
  }
  EXPECT_EQ(names.size(), keys.size()) << "two keys share a spoken name";
  EXPECT_EQ(Key("keyA")->accessibleName(), "A key");
  EXPECT_TRUE(Key("keyCapsLock")->accessibleDescription().contains("Toggle"));
  EXPECT_FALSE(Key("keyA")->accessibleDescription().contains("Toggle"));
}

TEST_F(OnScreenKeyboardTest, HintsOnlyWhereGiven) {
  const QString ctrl = "Use Ctrl+Key to enter ASCII control codes";
  const std::pair<const char*, QString> hints[] = {
      {"keyBackspace", "Click to add BS character, use keyboard to erase"},
      {"kpDelete", "Click to add DEL character, use keyboard to erase"},
      {"keyLCtrl", ctrl},
      {"keyRCtrl", ctrl},
  };
  int withHint = 0;
  for (QToolButton* b : keys) withHint += b->toolTip().isEmpty() ? 0 : 1;
  EXPECT_EQ(withHint, int(std::size(hints)));
  for (const auto& [name, text] : hints) EXPECT_EQ(Key(name)->toolTip(), text) << name;
}

TEST_F(OnScreenKeyboardTest, TogglesStayDownIndependently) {
  host.show();
  QTest::mouseClick(Key("keyLShift"), Qt::LeftButton);
  QTest::mouseClick(Key("keyRCtrl"), Qt::LeftButton);
  QTest::mouseClick(Key("keyCapsLock"), Qt::LeftButton);
  EXPECT_TRUE(Key("keyLShift")->isChecked());
  EXPECT_TRUE(Key("keyRCtrl")->isChecked());
  EXPECT_TRUE(Key("keyCapsLock")->isChecked());
  QTest::mouseClick(Key("keyLShift"), Qt::LeftButton);
  EXPECT_FALSE(Key("keyLShift")->isChecked());
  EXPECT_TRUE(Key("keyRCtrl")->isChecked());
  QTest::mouseClick(Key("keyA"), Qt::LeftButton);
  EXPECT_FALSE(Key("keyA")->isChecked());
}

TEST_F(OnScreenKeyboardTest, ToggleHasFourDistinctLooks) {
  const QToolButton* b = Key("keyRShift");
  const QIcon icon = b->icon();
  const QImage up = icon.pixmap(b->size(), 1.0, QIcon::Normal, QIcon::Off).toImage();
  const QImage disabled = icon.pixmap(b->size(), 1.0, QIcon::Disabled, QIcon::Off).toImage();
  const QImage clicking = icon.pixmap(b->size(), 1.0, QIcon::Active, QIcon::Off).toImage();
  const QImage down = icon.pixmap(b->size(), 1.0, QIcon::Normal, QIcon::On).toImage();
  const QImage looks[] = {up, disabled, clicking, down};
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) EXPECT_NE(looks[i], looks[j]) << i << " vs " << j;
}

TEST_F(OnScreenKeyboardTest, KeyFaceFollowsThePointerAndTheToggle) {
  host.show();
  QToolButton* b = Key("keyLCtrl");
  const QImage rest = b->grab().toImage();
  QTest::mousePress(b, Qt::LeftButton);
  const QImage clicking = b->grab().toImage();
  QTest::mouseRelease(b, Qt::LeftButton);
  ASSERT_TRUE(b->isChecked());
  QTest::mouseMove(Key("keyA"));  // away, so the face is not the one under the mouse
  b->setAttribute(Qt::WA_UnderMouse, false);
  const QImage down = b->grab().toImage();
  b->setEnabled(false);
  const QImage disabled = b->grab().toImage();
  EXPECT_NE(rest, clicking);
  EXPECT_NE(rest, down);
  EXPECT_NE(clicking, down);
  EXPECT_NE(down, disabled);
  // The face is the icon's own picture of that look.
  const QIcon icon = b->icon();
  EXPECT_EQ(rest.pixelColor(4, 6),
            icon.pixmap(b->size(), 1.0, QIcon::Normal, QIcon::Off).toImage().pixelColor(4, 6));
  EXPECT_EQ(down.pixelColor(4, 8),
            icon.pixmap(b->size(), 1.0, QIcon::Normal, QIcon::On).toImage().pixelColor(4, 8));
}

// Dark legend pixels in the upper and the lower half of a keycap's face.
std::pair<int, int> InkAboveAndBelow(const QToolButton* b) {
  const QImage img = b->icon().pixmap(b->size(), 1.0).toImage();
  int above = 0, below = 0;
  for (int y = 2; y < img.height() - 5; ++y)
    for (int x = 3; x < img.width() - 3; ++x)
      if (qGray(img.pixel(x, y)) < 90 && qAlpha(img.pixel(x, y)) > 200)
        (y < img.height() / 2 - 1 ? above : below) += 1;
  return {above, below};
}

TEST_F(OnScreenKeyboardTest, TwoLegendKeysShowBothLegends) {
  // "!" above "1": ink in both halves; "A" alone: ink in both halves too, but
  // a blank space bar has none.
  for (const char* name : {"keyNum1", "keyLBrace", "keyFSlash"}) {
    const auto [above, below] = InkAboveAndBelow(Key(name));
    EXPECT_GT(above, 3) << name;
    EXPECT_GT(below, 3) << name;
  }
  const auto [a, b] = InkAboveAndBelow(Key("keySpace"));
  EXPECT_EQ(a + b, 0);
}

void ExpectSharpAtRatio2(const QIcon& icon, QSize size, const char* what) {
  ASSERT_FALSE(icon.isNull()) << what;
  const QPixmap pm = icon.pixmap(size, 2.0);
  EXPECT_EQ(pm.devicePixelRatio(), 2.0) << what;
  EXPECT_EQ(pm.size(), size * 2) << what;
  // The same picture painted at twice the pixels, not a blown-up copy: it
  // has pixels of its own that a scaled ratio-1 picture would not have.
  const QImage big = pm.toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage scaled = icon.pixmap(size, 1.0)
                            .toImage()
                            .scaled(size * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                            .convertToFormat(QImage::Format_ARGB32);
  EXPECT_NE(big, scaled) << what;
}

TEST_F(OnScreenKeyboardTest, KeyIconsHavePixmapsAtRatio2) {
  for (QToolButton* b : keys)
    ExpectSharpAtRatio2(b->icon(), b->size(), b->objectName().toLatin1().constData());
}

TEST(Artwork, EveryIconHasPixmapsAtRatio2) {
  // Our own drawings, whatever icon theme the desktop running the test has.
  const QString theme = QIcon::themeName();
  QIcon::setThemeName("keyloom-test-no-such-theme");
  for (const char* name : kToolButtons) ExpectSharpAtRatio2(ToolBarIcon(name), {20, 20}, name);
  ExpectSharpAtRatio2(KeyTypeIcon(ktShift), {16, 16}, "S");
  ExpectSharpAtRatio2(KeyTypeIcon(ktToggle), {16, 16}, "T");
  ExpectSharpAtRatio2(InsertArrowIcon(), {20, 20}, "insert");
  ExpectSharpAtRatio2(DelayButtonIcon(), {60, 30}, "delay");
  ExpectSharpAtRatio2(AppIcon(), {32, 32}, "app");
  EXPECT_TRUE(ToolBarIcon("ToolBtnNothing").isNull());
  QIcon::setThemeName(theme);
}

TEST(Artwork, KeyTypeImagesAreARedSAndABlueT) {
  EXPECT_TRUE(KeyTypeIcon(ktNormal).isNull());
  const auto count = [](const QIcon& icon, bool red) {
    const QImage img = icon.pixmap(QSize(16, 16), 1.0).toImage();
    EXPECT_EQ(img.size(), QSize(16, 16));
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QColor c = img.pixelColor(x, y);
        if (c.alpha() < 160) continue;
        const bool isRed = c.red() > 150 && c.green() < 90 && c.blue() < 90;
        const bool isBlue = c.blue() > 150 && c.red() < 90 && c.green() < 120;
        n += (red ? isRed : isBlue) ? 1 : 0;
      }
    return n;
  };
  EXPECT_GT(count(KeyTypeIcon(ktShift), true), 12);
  EXPECT_EQ(count(KeyTypeIcon(ktShift), false), 0);
  EXPECT_GT(count(KeyTypeIcon(ktToggle), false), 12);
  EXPECT_EQ(count(KeyTypeIcon(ktToggle), true), 0);
}

TEST(Artwork, DelayKeycapIsGreyWithTwoLinesOfText) {
  const QImage img = DelayButtonIcon().pixmap(QSize(56, 32), 1.0).toImage();
  const QColor face = img.pixelColor(4, 6);
  EXPECT_LT(std::max({face.red(), face.green(), face.blue()}) -
                std::min({face.red(), face.green(), face.blue()}),
            12);
  int above = 0, below = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 90 && qAlpha(img.pixel(x, y)) > 200 && x > 3 &&
          x < img.width() - 3 && y > 2 && y < img.height() - 5)
        (y < img.height() / 2 - 1 ? above : below) += 1;
  EXPECT_GT(above, 10);
  EXPECT_GT(below, 10);
}

// ------------------------------------------------------------- the preview

int SaveLayout(const QString& file) {
  QWidget window;
  window.setObjectName("preview");
  window.setFixedSize(755, 503);
  window.setAutoFillBackground(true);
  QPalette pal = window.palette();
  pal.setColor(QPalette::Window, Qt::white);
  window.setPalette(pal);

  // The tool bar's icons with their captions, 59 x 36 buttons.
  const char* captions[] = {"New",      "Open",     "Save", "Save As", "Properties",
                            "Set Port", "Download", "Test", "Help",    "Key Labels"};
  int x = 2;
  for (int i = 0; i < 10; ++i) {
    auto* tb = new QToolButton(&window);
    tb->setObjectName(kToolButtons[i]);
    tb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tb->setAutoRaise(true);
    tb->setIcon(ToolBarIcon(kToolButtons[i]));
    tb->setIconSize(QSize(20, 20));
    tb->setText(captions[i]);
    tb->setGeometry(x, 2, 59, 36);
    tb->setEnabled(i != 2);  // Save disabled, as in an unchanged definition
    x += 59 + (i == 0 || i == 3 || i == 4 || i == 7 ? 20 : 0);
  }
  // Key type images and the program icon, as they would sit on keys.
  const QIcon small[] = {KeyTypeIcon(ktShift), KeyTypeIcon(ktToggle), AppIcon(), InsertArrowIcon()};
  for (int i = 0; i < 4; ++i) {
    auto* tb = new QToolButton(&window);
    tb->setIcon(small[i]);
    tb->setIconSize(i == 2 ? QSize(32, 32) : QSize(16, 16));
    tb->setGeometry(20 + i * 40, 90, i == 2 ? 36 : 28, i == 2 ? 36 : 28);
  }

  auto* bevel = new QFrame(&window);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bevel->setGeometry(34, 296, 686, 195);
  struct Box {
    const char* title;
    QRect r;
  };
  const Box boxes[] = {
      {"", kGroupBoxes[0]}, {"", kGroupBoxes[1]}, {"", kGroupBoxes[2]}, {"", kGroupBoxes[3]}};
  for (const Box& b : boxes) {
    auto* g = new QGroupBox(b.title, &window);
    g->setGeometry(b.r);
  }
  auto* instructions =
      new QLabel("Click on any key below or type on PC keyboard (green keys only)", &window);
  instructions->setGeometry(kGroupBoxes[0].adjusted(6, 12, -4, -4));
  QToolButton* delay = NewKeycapButton(&window);
  delay->setIcon(DelayButtonIcon());
  delay->setGeometry(585, 313, 44, 28);
  delay->setIconSize(delay->size());
  auto* insert = new QToolButton(&window);
  insert->setIcon(InsertArrowIcon());
  insert->setIconSize(QSize(20, 20));
  insert->setGeometry(525, 400, 26, 26);

  // The four looks of a toggle and of a plain key, side by side: up,
  // disabled, being clicked, down.
  const QIcon toggle = KeycapIcon("Shift", "", KeycapColour::Grey, true);
  const QIcon plain = KeycapIcon("1", "!", KeycapColour::Green);
  const std::pair<QIcon::Mode, QIcon::State> looks[] = {{QIcon::Normal, QIcon::Off},
                                                        {QIcon::Disabled, QIcon::Off},
                                                        {QIcon::Active, QIcon::Off},
                                                        {QIcon::Normal, QIcon::On}};
  for (int i = 0; i < 4; ++i) {
    auto* a = new QLabel(&window);
    a->setGeometry(20 + i * 60, 150, 54, 26);
    a->setPixmap(
        toggle.pixmap(QSize(54, 26), window.devicePixelRatio(), looks[i].first, looks[i].second));
    auto* b = new QLabel(&window);
    b->setGeometry(20 + i * 60, 180, 27, 26);
    b->setPixmap(
        plain.pixmap(QSize(27, 26), window.devicePixelRatio(), looks[i].first, looks[i].second));
  }

  const QList<QToolButton*> keys = CreateOnScreenKeyboard(&window);
  for (QToolButton* k : keys)
    if (k->objectName() == "keyLShift" || k->objectName() == "keyCapsLock") k->setChecked(true);
  window.show();
  QCoreApplication::processEvents();
  const QPixmap shot = window.grab();
  if (!shot.save(file)) {
    fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return 1;
  }
  printf("%s: %dx%d at ratio %g\n", qPrintable(file), shot.width(), shot.height(),
         shot.devicePixelRatio());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--save-layout=", 14) == 0)
      return SaveLayout(QString::fromLocal8Bit(argv[i] + 14));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
