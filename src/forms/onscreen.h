#pragma once

#include <functional>

class QSize;
class QWidget;

namespace onscreen {

// For a window just shown: calls placed once the window manager has told its
// frame, and again if, while it settles the window in the first seconds, it
// puts the frame's corner off the screen; so that the window can be placed
// again with its title bar on the screen. With no window manager there is no
// frame, and placed is never called.
void whenFramed(QWidget &window, std::function<void()> placed);

// Gives window a fixed client area of clientSize, filled by a frameless
// scroll area that holds a page of the same size, and returns the page: the
// window's controls go on it. At the window's first show, with its frame as
// far as Qt knows it:
// - a window that fits the available area of its screen is moved just far
//   enough to lie in it (one that lies in it keeps its place) and shows its
//   page whole, with no scroll bars;
// - a larger window is put at the area's top-left corner and made no larger
//   than the area; its page then scrolls, and a control that Tab reaches is
//   scrolled into view.
QWidget *pageKeptOnScreen(QWidget &window, QSize clientSize);

} // namespace onscreen
