#include "QtPlatform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#ifndef _WIN32
#include <filesystem>
#include <string>

#include "EmbeddedVersion.h"
#endif

#ifdef _WIN32
#include "win32/Win32Platform.h"
#elif defined(KEYLOOM_HAVE_X11)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#endif

#ifdef KEYLOOM_HAVE_X11
// A connection of our own to the X server: it works whatever Qt platform
// plugin runs the window, and asks the server afresh at every call.
struct QtPlatform::X11Keyboard {
  Display* display = nullptr;
  KeyCode leftShift = 0;
  KeyCode rightShift = 0;
};
#else
struct QtPlatform::X11Keyboard {};
#endif

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() {
#ifdef KEYLOOM_HAVE_X11
  if (x11_ != nullptr && x11_->display != nullptr) XCloseDisplay(x11_->display);
#endif
  delete x11_;
}

namespace {

QString StripQuotes(QString text) {
  text = text.trimmed();
  if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
    text = text.mid(1, text.size() - 2);
  return text;
}

}  // namespace

QStringList SplitWindowsCommandLine(const QString& parameters) {
  QStringList args;
  QString current;
  bool inArgument = false;
  bool quoted = false;
  const qsizetype n = parameters.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = parameters.at(i);
    if (c == u'\\') {
      qsizetype slashes = 0;
      while (i < n && parameters.at(i) == u'\\') {
        ++slashes;
        ++i;
      }
      inArgument = true;
      if (i < n && parameters.at(i) == u'"') {
        current += QString(slashes / 2, u'\\');
        if (slashes % 2 == 1) {
          current += u'"';
        } else {
          --i;  // the quote is handled by the next pass
        }
      } else {
        current += QString(slashes, u'\\');
        --i;
      }
      continue;
    }
    if (c == u'"') {
      inArgument = true;
      if (quoted && i + 1 < n && parameters.at(i + 1) == u'"') {
        current += u'"';  // "" inside quotes is one literal quote
        ++i;
      } else {
        quoted = !quoted;
      }
      continue;
    }
    if ((c == u' ' || c == u'\t') && !quoted) {
      if (inArgument) args << current;
      current.clear();
      inArgument = false;
      continue;
    }
    current += c;
    inArgument = true;
  }
  if (inArgument) args << current;
  return args;
}

QString QtPlatform::DocumentsFolder() const {
#ifdef _WIN32
  return QString::fromStdWString(win32::DocumentsFolder());
#else
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  while (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
  return QDir::toNativeSeparators(folder);
#endif
}

QString QtPlatform::ProgramFolder() const {
#ifdef _WIN32
  return QString::fromStdWString(win32::ProgramFolder());
#else
  QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return folder;
#endif
}

bool QtPlatform::StartProgram(const QString& program, const QString& parameters) {
#ifdef _WIN32
  return win32::StartProgram(program.toStdWString(), parameters.toStdWString());
#else
  return QProcess::startDetached(StripQuotes(program), SplitWindowsCommandLine(parameters));
#endif
}

bool QtPlatform::OpenDocument(const QString& document) {
#ifdef _WIN32
  return win32::OpenDocument(document.toStdWString());
#else
  return QDesktopServices::openUrl(QUrl::fromLocalFile(StripQuotes(document)));
#endif
}

bool QtPlatform::RunAndWait(const QString& program, const std::function<void()>& repaint) {
#ifdef _WIN32
  return win32::RunAndWait(program.toStdWString(), repaint);
#else
  QProcess process;
  process.setProgram(StripQuotes(program));
  process.start();
  if (!process.waitForStarted()) return false;
  while (!process.waitForFinished(500)) {
    if (process.state() == QProcess::NotRunning) break;
    if (repaint) repaint();
  }
  return true;
#endif
}

PcKeyboardState QtPlatform::KeyboardState() const {
  PcKeyboardState state;
#ifdef _WIN32
  const win32::KeyboardState native = win32::GetPcKeyboardState();
  state.shiftDown = native.shiftDown;
  state.capsLockOn = native.capsLockOn;
#else
#ifdef KEYLOOM_HAVE_X11
  if (!x11Tried_) {
    x11Tried_ = true;
    if (Display* display = XOpenDisplay(nullptr)) {
      x11_ = new X11Keyboard;
      x11_->display = display;
      x11_->leftShift = XKeysymToKeycode(display, XK_Shift_L);
      x11_->rightShift = XKeysymToKeycode(display, XK_Shift_R);
    }
  }
  if (x11_ != nullptr) {
    XkbStateRec xkb{};
    if (XkbGetState(x11_->display, XkbUseCoreKbd, &xkb) == Success)
      state.capsLockOn = (xkb.locked_mods & LockMask) != 0;
    char keys[32] = {};
    XQueryKeymap(x11_->display, keys);
    auto down = [&keys](KeyCode code) {
      return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
    };
    state.shiftDown = down(x11_->leftShift) || down(x11_->rightShift);
    return state;
  }
#endif
  // No X server to ask (offscreen, Wayland without XWayland): Qt knows Shift
  // at least; Caps Lock stays unknown and reads as off.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    state.shiftDown = (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
#endif
  return state;
}

std::optional<QString> QtPlatform::FileVersion() const {
#ifdef _WIN32
  const auto version = win32::QueryFileVersion(win32::RunningExecutablePath());
  if (!version) return std::nullopt;
  return QString::fromStdWString(*version);
#else
  // Elsewhere the build embeds the same string table in the executable.
  const std::optional<std::string> version = ReadEmbeddedFileVersion(
      std::filesystem::path(QCoreApplication::applicationFilePath().toStdU16String()));
  if (!version) return std::nullopt;
  return QString::fromStdString(*version);
#endif
}
