// LinkChooser.exe: stands in for the keypad's port-selection program. The
// user picks a COM port number and the kind of link; OK writes "ComPort" and
// "ComType" to VOVirUvad.ini and keeps every other line of that file.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QVBoxLayout>

#include "LoaderSettings.h"
#include "StandIn.h"

namespace {

std::filesystem::path ToPath(const QString& s) { return std::filesystem::path(s.toStdU16String()); }

struct LinkType {
  const char* letter;
  const char* caption;
  const char* name;
};
constexpr LinkType kTypes[] = {
    {"U", "USB", "rbUSB"},
    {"R", "DB9 (RS232)", "rbDB9"},
    {"V", "CDC (virtual COM port)", "rbCDC"},
};

class TfrmLinkChooser : public QWidget {
 public:
  TfrmLinkChooser() : path_(LoaderSettingsPath()) {
    setObjectName("frmLinkChooser");
    setWindowTitle("LinkChooser - port selection (stand-in)");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeStandInNotice(
        "LinkChooser.exe", "port-selection program",
        "It records the COM port and link type the loader and test programs will use.", this));

    auto* form = new QFormLayout;
    port_ = new QSpinBox(this);
    port_->setObjectName("spinComPort");
    port_->setRange(1, 256);
    port_->setPrefix("COM");
    form->addRow("Port:", port_);
    layout->addLayout(form);

    auto* group = new QGroupBox("Link type", this);
    auto* groupLayout = new QVBoxLayout(group);
    for (const LinkType& t : kTypes) {
      auto* rb = new QRadioButton(t.caption, group);
      rb->setObjectName(t.name);
      groupLayout->addWidget(rb);
      radios_.push_back(rb);
    }
    layout->addWidget(group);

    QStringList found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
      QString line = info.portName();
      if (!info.description().isEmpty()) line += " - " + info.description();
      found << line;
    }
    auto* ports = new QLabel("Serial ports on this computer: " +
                                 (found.isEmpty() ? QString("none found") : found.join(", ")),
                             this);
    ports->setObjectName("lblPortsFound");
    ports->setWordWrap(true);
    layout->addWidget(ports);

    auto* file = new QLabel("Settings file: " + QDir::toNativeSeparators(path_), this);
    file->setWordWrap(true);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(file);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
      if (Save()) close();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);

    LoadCurrent();
    // The wrapped labels need the height that goes with the fixed width.
    setFixedWidth(420);
    setFixedHeight(layout->totalHeightForWidth(420));
  }

 private:
  void LoadCurrent() {
    const TLoaderSettings settings(ToPath(path_));
    const auto section = TLoaderSettings::kSection;
    const int32_t port = settings.ReadInteger(section, "ComPort", 0);
    port_->setValue(port > 0 ? port : 1);
    const std::string type = settings.Read(section, "ComType").value_or("U");
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < std::size(kTypes); ++i) {
      if (QString::fromStdString(type).compare(kTypes[i].letter, Qt::CaseInsensitive) == 0)
        chosen = i;
    }
    radios_[chosen]->setChecked(true);
  }

  bool Save() {
    TLoaderSettings settings(ToPath(path_));
    const auto section = TLoaderSettings::kSection;
    settings.Write(section, "ComPort", std::to_string(port_->value()));
    for (std::size_t i = 0; i < radios_.size(); ++i) {
      if (radios_[i]->isChecked()) settings.Write(section, "ComType", kTypes[i].letter);
    }
    std::string error;
    if (!settings.Save(&error)) {
      QMessageBox::critical(this, "LinkChooser",
                            "The port could not be saved:\n" + QString::fromStdString(error));
      return false;
    }
    return true;
  }

  QString path_;
  QSpinBox* port_ = nullptr;
  std::vector<QRadioButton*> radios_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TfrmLinkChooser window;
  window.show();
  return app.exec();
}
