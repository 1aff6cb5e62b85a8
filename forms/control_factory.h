#pragma once

#include "layout.h"
#include "menu_item.h"

class QIcon;
class QMenuBar;
class QWidget;

namespace forms {

// Creates one control of a layout table inside the client area, with its
// caption or text, font, colours, picture, tooltip and place in twips.
QWidget& createControl(const ControlSpec& spec, QWidget& clientArea);

// Creates one top-level menu item with its caption.
MenuItem& createMenuItem(const MenuItemSpec& spec, QMenuBar& menuBar);

// A window's icon: its 16 x 16 picture, and its drawing in the larger sizes
// that docks and task switchers ask for; without one, the picture scaled up
// by whole pixels.
QIcon windowIcon(Xpm picture, std::span<const DrawnIcon> drawnIcons);

// Paints a widget's background in a layout colour, with text that reads on
// it.
void paintBackground(QWidget& widget, Colour colour);

// A control's Left or Top in twips, from the client area's corner.
void setControlLeft(QWidget& control, Twips left);
void setControlTop(QWidget& control, Twips top);
// Left, then Top.
void placeControl(QWidget& control, Twips left, Twips top);

}  // namespace forms
