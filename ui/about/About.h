// The About box: the product, its maker and the program's version.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class IPlatform;
class QLabel;
class QPushButton;

// The version text: the first five characters of "FileVersion" in string
// table "040904E4" of the program's version resource, or "NA" when the
// resource, the table or the value is missing.
QString GetOurVersion(const IPlatform& platform);

class TfrmAbout : public QDialog {
 public:
  // The creation handler runs here.
  explicit TfrmAbout(const IPlatform& platform, QWidget* parent = nullptr);

  void btnOkClick();

 private:
  void FormCreate();

  const IPlatform& fPlatform;
  QLabel* imgLogo = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lblNotice = nullptr;
  QLabel* lblVersion = nullptr;
  QPushButton* btnOk = nullptr;
};

// Where the dialog's outer frame goes so that it sits over the centre of the
// main window's outer frame; each half truncated toward zero.
QPoint AboutDialogPlace(const QRect& mainOuter, const QSize& dialogOuter);

// The Help menu's "&About Keyloom": creates the dialog without an owner,
// centres it on `mainWindow`, shows it modally and frees it when it closes.
void ShowAboutDialog(QWidget* mainWindow, const IPlatform& platform);

// The maker's logo as the dialog shows it, 300 by 83 pixels.
QPixmap DrawMakerLogo(qreal devicePixelRatio);
