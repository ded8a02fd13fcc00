#include "keys/FormatKeys.h"
#include "keys/KeyNames.h"
#include "keys/ParseKeys.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace zorbic;

// Checks the parser's contract in one mode: it never crashes, it either succeeds with valid
// strokes or fails with a message and no strokes, and its strokes survive a round trip
// through the canonical notation.
static KeyParse CheckContract(std::string_view notation, KeyCharacters characters) {
    const KeyParse parse = ParseKeys(notation, characters);
    if (!parse.ok()) {
        if (!parse.strokes.empty()) std::abort();
        return parse;
    }
    if (parse.strokes.size() > kMaxKeyStrokes) std::abort();
    for (const KeyStroke &stroke : parse.strokes) {
        if (!IsValidStroke(stroke)) std::abort();
    }
    const KeyParse again = ParseKeys(FormatKeys(parse.strokes), characters);
    if (!again.ok() || again.strokes != parse.strokes) std::abort();
    return parse;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view notation(reinterpret_cast<const char *>(data), size);
    const KeyParse parse = CheckContract(notation, KeyCharacters::Ascii);
    const KeyParse wide = CheckContract(notation, KeyCharacters::Unicode);
    // Whatever reads as ASCII reads the same as UTF-8.
    if (parse.ok() && (!wide.ok() || wide.strokes != parse.strokes)) std::abort();
    if (!parse.ok()) return 0;

    // Every byte of a printable text, braced one by one, types exactly that byte.
    bool printable = true;
    for (char c : notation)
        printable = printable && c >= 0x20 && c < 0x7f;
    if (printable && size > 0) {
        const KeyParse braced = ParseKeys(BraceEach(notation));
        if (!braced.ok() || braced.strokes.size() != size) std::abort();
        for (std::size_t i = 0; i < size; ++i) {
            if (braced.strokes[i] != KeyStroke{Key::Character, notation[i], false, false, false})
                std::abort();
        }
    }
    return 0;
}
