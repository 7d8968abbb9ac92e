// One fixture for the main window's tests: a fresh documents folder, the
// platform and prompts fakes, the model, and the real window on top.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "FakePlatform.h"
#include "FakePrompts.h"
#include "KeypadClass.h"
#include "MacroGrid.h"
#include "Unit1.h"

class MainWindowTest : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(temp.isValid());
    platform.documents = temp.path();
  }
  void TearDown() override { window.reset(); }

  QString AppFolder() const { return temp.path() + "/Corvella/KeyloomTVRxx"; }

  static void WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(text);
  }
  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void MakeAppFolder() const { QDir().mkpath(AppFolder()); }
  void WriteSettings(const QByteArray& numberOfKeys) {
    MakeAppFolder();
    WriteFile(AppFolder() + "/KeyloomTVRxx.ini",
              "[CONFIGURATION]\r\nNumber_of_Keys=" + numberOfKeys + "\r\n");
  }
  void WriteLoaderSettings(const QByteArray& port, const QByteArray& type) {
    MakeAppFolder();
    WriteFile(AppFolder() + "/VOVirUvad.ini",
              "[Com Port Configuration]\r\nComPort=" + port + "\r\nComType=" + type + "\r\n");
  }

  TfrmMain& Start(const QStringList& arguments = {}) {
    window = std::make_unique<TfrmMain>(platform, prompts, keypad, arguments);
    window->show();
    QApplication::setActiveWindow(window.get());
    window->Grid->setFocus();
    return *window;
  }
  TfrmMain& W() { return *window; }

  template <typename T = QWidget>
  T* Find(const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  void Click(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << name;
    ASSERT_TRUE(button->isVisible()) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  void Type(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(window->Grid, key, mods);
  }
  void TypeChar(char c) { QTest::keyClick(window->Grid, c); }
  void SendKey(QEvent::Type type, int key, Qt::KeyboardModifiers mods, const QString& text = {},
               bool autoRepeat = false) {
    QKeyEvent event(type, key, mods, text, autoRepeat);
    QApplication::sendEvent(window->Grid, &event);
  }

  // The current macro's codes.
  std::vector<int32_t> Codes() const {
    std::vector<int32_t> codes;
    for (int i = 0; i < keypad.NumOfElements(); ++i) codes.push_back(keypad.CodeAt(i));
    return codes;
  }
  QString Cell(int position) const {
    return window->Grid->item(position / 7, position % 7)->text();
  }
  int Position() const { return window->InsertionPoint(); }
  void SetCurrentCell(int position) { window->Grid->setCurrentCell(position / 7, position % 7); }
  bool Dirty() const { return window->windowTitle().endsWith('*'); }
  // Fills the current macro with `count` plain codes through the model.
  void FillPlain(int count, int32_t value = 'x') {
    int32_t position = keypad.NumOfElements();
    for (int i = 0; i < count; ++i) ASSERT_TRUE(keypad.InsertByte(position, value));
    window->CopyDataToScreen(keypad.NumOfElements());
  }

  QTemporaryDir temp;
  FakePlatform platform;
  FakePrompts prompts;
  TKeypadClass keypad;
  std::unique_ptr<TfrmMain> window;
};
