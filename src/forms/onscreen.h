#pragma once

class QWidget;

namespace onscreen {

// At the window's first show, moves it just far enough for the whole window,
// frame included as far as Qt knows it, to lie in the available area of its
// screen; a window that already fits keeps its place. A window larger than
// the area is put at the area's top-left corner, so its title bar shows.
void keepOnScreenWhenShown(QWidget &window);

} // namespace onscreen
