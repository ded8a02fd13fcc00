// Times the portal keyboard against the fake portal of the tests, on a private bus:
//   tests/portal/on_private_bus.sh /usr/bin/python3 BUILD/bench/bench_portal
//       /usr/bin/python3 tests/portal/fake_portal.py   (one line)
// Prints the availability check, the first send (session, approval, Shift tap and pause) and
// the sends that follow (one character per call, as Zipto sends a result; all of printable
// ASCII in one call).
#include "platform/wayland/PortalKeyboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

using zorbic::KeysymEvents;
using zorbic::PortalKeyboard;

namespace {

KeysymEvents tap(std::uint32_t keysym) {
    return {{keysym, true}, {keysym, false}};
}

double msSince(const QElapsedTimer &clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_portal PYTHON FAKE_PORTAL\n");
        return 2;
    }
    QTemporaryDir dir;
    QProcess fake;
    fake.start(argv[1], {argv[2], dir.filePath("calls"), "0"});
    for (int i = 0; i < 500 && !PortalKeyboard::available(); ++i)
        QThread::msleep(20);

    constexpr int kChecks = 100;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kChecks; ++i)
        PortalKeyboard::available();
    std::printf("available(): %.3f ms per check (%d checks)\n", msSince(clock) / kChecks, kChecks);

    PortalKeyboard keyboard;
    clock.restart();
    keyboard.type(tap(0x34));
    std::printf("first send (session opened, one character): %.1f ms\n", msSince(clock));

    constexpr int kChars = 500;
    clock.restart();
    for (int i = 0; i < kChars; ++i)
        keyboard.type(tap(0x20 + i % 95));
    std::printf("later sends, one character per call: %.3f ms per character (%d)\n",
                msSince(clock) / kChars, kChars);

    KeysymEvents ascii;
    for (std::uint32_t c = 0x20; c <= 0x7e; ++c)
        for (const auto &event : tap(c))
            ascii.push_back(event);
    clock.restart();
    keyboard.type(ascii);
    std::printf("all 95 printable ASCII characters in one call: %.1f ms\n", msSince(clock));
    fake.kill();
    fake.waitForFinished();
    return 0;
}
