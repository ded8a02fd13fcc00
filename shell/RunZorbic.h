#pragma once

#include <functional>

namespace zorbic {

class Form1;

// The whole program: the application object, the desktop platform and the main window, started
// in the documented order. `beforeStart` sees the window before its start-up runs (the start-up
// timing program watches its first paint from there).
int RunZorbic(int argc, char *argv[], const std::function<void(Form1 &)> &beforeStart = {});

} // namespace zorbic
