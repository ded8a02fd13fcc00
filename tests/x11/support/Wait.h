#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace zorbic::test {

// Polls until done() holds or the time is up; whether it held.
inline bool waitUntil(const std::function<bool()> &done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace zorbic::test
