#pragma once

class QSize;
class QWidget;

namespace onscreen {

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
