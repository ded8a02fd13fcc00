// map_watch PROGRAM [ARGS...]: starts the program and prints the milliseconds until the window
// manager maps the first window on the root (the frame around the program's window), then ends
// it. The X server reports the map itself, so no polling client competes for the CPU.
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_watch PROGRAM [ARGS...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "map_watch: no X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setenv("ZORBIC_STARTUP_STAY", "1", 1);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != MapNotify || event.xmap.event != root);
    const std::chrono::duration<double, std::milli> mapped =
        std::chrono::steady_clock::now() - start;
    std::printf("%.2f\n", mapped.count());
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
