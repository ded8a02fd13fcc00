#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace zorbic {

// Whether the window in front at a tick of Timer1 becomes the window Zipto types into.
// It must be a window (not 0), not the current target, and belong to another program: none of
// our own top-level windows by id, and not announcing our process id. A window whose process
// id cannot be read is skipped too: that is how a window of ours that is being destroyed (the
// About box, the main window at exit) still named by the window manager looks for a moment.
inline bool fnIsZiptoTarget(std::uint64_t window, std::uint64_t hwndLastActive,
                            const std::vector<std::uint64_t> &ownWindows,
                            std::optional<std::int64_t> windowPid, std::int64_t ownPid) {
    if (window == 0 || window == hwndLastActive) return false;
    if (std::find(ownWindows.begin(), ownWindows.end(), window) != ownWindows.end()) return false;
    return windowPid.has_value() && *windowPid != ownPid;
}

} // namespace zorbic
