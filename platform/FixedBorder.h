#pragma once

#include <Qt>

class QWidget;

namespace zorbic {

// A fixed border is asked for through the window's flags and a fixed size, which Qt hands to
// the window manager as size hints (minimum = maximum) and Motif hints. Some window managers
// still offer more: openbox lets every normal window go fullscreen and every dialog be
// minimized, whatever the hints say. Whenever the window takes a state outside `allowed`
// (among minimized, maximized and fullscreen), it is put back at once.
void KeepFixedBorder(QWidget *window, Qt::WindowStates allowed);

} // namespace zorbic
