// The on-screen PC keyboard below the macro editor: the main block without
// function, Alt and cursor keys, and a numeric keypad to its right.
#pragma once

#include <QList>

class QToolButton;
class QWidget;

// Creates the 69 keys as children of `parent` (the main window's client
// area), each at its place, named keyEsc ... kpPeriod, with its PC key number
// in the dynamic property "Tag" (int), its keycap face as icon, and its
// accessible name and description. The five modifier toggles (keyLShift,
// keyRShift, keyLCtrl, keyRCtrl, keyCapsLock) are checkable. The keys take
// no keyboard focus. No signal is connected. The delay button is not among
// them.
QList<QToolButton*> CreateOnScreenKeyboard(QWidget* parent);

// One more flat key of the same kind, for a keycap button placed elsewhere
// (the delay button): its face is its icon, drawn at rest, under the mouse
// (QIcon::Selected), being clicked (QIcon::Active), down (QIcon::On) or
// disabled, with no frame of the style's own.
QToolButton* NewKeycapButton(QWidget* parent);
