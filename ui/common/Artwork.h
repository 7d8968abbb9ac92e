// Pictures the editor draws at run time: keycaps of the on-screen keyboard,
// tool bar icons, the key-type letters and the program icon. Every icon is
// painted for the size and device pixel ratio it is shown at, so it stays
// sharp on high-density screens.
#pragma once

#include <QIcon>
#include <QString>

#include "KeypadTypes.h"

enum class KeycapColour {
  Green,  // keys whose characters can also be typed on the PC's keyboard
  Grey,
};

// A keycap filling the icon's whole size. `legend` is the key's own
// character or name ("A", "1", "Esc"); a '\n' in it splits a name over two
// lines ("Caps\nLock"). `shiftedLegend`, when not empty, is printed above
// `legend`, as on a real keycap. A toggle shows a small lamp that lights in
// the icon's On state. Modes: Normal is the key at rest, Active the key
// being clicked (pressed in), Selected the key under the mouse, Disabled a
// faded key; state On is a toggle that is down.
QIcon KeycapIcon(const QString& legend, const QString& shiftedLegend, KeycapColour colour,
                 bool toggle = false);

// The icon of a tool bar button, by the button's object name (ToolBtnNew,
// ToolBtnOpen, ToolBtnSave, ToolBtnSaveAs, ToolBtnParameters, btnSetPort,
// ToolBtnDownload, ToolButtonTest, ToolBtnHelp, ToolButtonKeyLabels). The
// desktop's icon theme is used where it has a fitting icon; otherwise a
// drawn one, designed for 20 x 20. An unknown name gives a null icon.
QIcon ToolBarIcon(const QString& buttonObjectName);

// 16 x 16: a red S for ktShift, a blue T for ktToggle, a null icon for
// ktNormal.
QIcon KeyTypeIcon(TKeyType type);

// The manual entry's insert button: an arrow and a plus sign.
QIcon InsertArrowIcon();

// The delay button's face: a grey keycap carrying the words "Insert Delay".
QIcon DelayButtonIcon();

// The program's icon: a small keypad.
QIcon AppIcon();
