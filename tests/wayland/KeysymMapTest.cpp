#include "platform/wayland/KeysymMap.h"

#include "keys/FormatKeys.h"
#include "keys/ParseKeys.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zorbic {

bool operator==(const KeysymEvent &a, const KeysymEvent &b) {
    return a.keysym == b.keysym && a.pressed == b.pressed;
}
void PrintTo(const KeysymEvent &e, std::ostream *out) {
    *out << std::hex << "0x" << e.keysym << (e.pressed ? " down" : " up");
}

namespace {

// X keysyms in hexadecimal, written out rather than taken from the library under test: "+k"
// presses k, "-k" releases it, a bare k taps it (a press, then a release).
KeysymEvents Events(const std::string &text) {
    KeysymEvents events;
    std::istringstream in(text);
    for (std::string token; in >> token;) {
        const bool press = token[0] != '-', release = token[0] != '+';
        const auto keysym =
            static_cast<std::uint32_t>(std::stoul(token.substr(!press || !release), nullptr, 16));
        if (press) events.push_back({keysym, true});
        if (release) events.push_back({keysym, false});
    }
    return events;
}

TEST(KeysymMap, EveryPrintableAsciiCharacterIsItsOwnKeysymWithoutShift) {
    std::string all, taps;
    for (char c = 0x20; c < 0x7f; ++c) {
        all += c;
        taps += std::to_string(c / 16) + "0123456789abcdef"[c % 16] + ' ';
    }
    EXPECT_EQ(ToKeysymEvents(BraceEach(all)), Events(taps));
}

TEST(KeysymMap, NotationGivesThesePressesAndReleases) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"~{ENTER}", "ff0d ff0d"},
        {"Az{tab}", "41 7a ff09"},
        {"+{TAB}", "+ffe1 ff09 -ffe1"},
        {"{tab 3}", "ff09 ff09 ff09"},
        {"{f1}{F2}{f12}{F16}", "ffbe ffbf ffc9 ffcd"},
        {"{left}{RIGHT}{up}{down}", "ff51 ff53 ff52 ff54"},
        {"{home}{end}{pgup}{pgdn}", "ff50 ff57 ff55 ff56"},
        {"{bs}{del}{esc}{ins}", "ff08 ffff ff1b ff63"},
        {"^c", "+ffe3 63 -ffe3"},
        {"+^%x", "+ffe1 +ffe3 +ffe9 78 -ffe9 -ffe3 -ffe1"},
        {"%(ab)", "+ffe9 61 -ffe9 +ffe9 62 -ffe9"},
        {"é", "e9"},                     // Latin-1 keysyms are the code point
        {"€π", "20ac 7f0"},              // EuroSign, Greek_pi
        {"\xf0\x9f\x98\x80", "101f600"}, // U+1F600 has no legacy keysym: 0x01000000 + it
        {"{é 2}+{€}", "e9 e9 +ffe1 20ac -ffe1"},
        {"+{π}^(é)", "+ffe1 7f0 -ffe1 +ffe3 e9 -ffe3"},
        {"\xc2\xa0\xef\xbf\xbd", "a0 100fffd"}, // the first character above the C1 controls
    };
    for (const auto &[notation, expected] : cases) {
        SCOPED_TRACE("notation: " + notation);
        EXPECT_EQ(ToKeysymEvents(notation), Events(expected));
    }
}

TEST(KeysymMap, BadNotationAndInvalidUtf8FailWithTheParsersMessage) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ab{FOO}", "Unknown key name \"{FOO}\" at position 3"},
        {"+", "Modifier \"+\" at position 1 has no key after it"},
        {"π(", "Unmatched \"(\" at position 2"}, // positions count characters, not bytes
        {"a\tb", "Character code 9 at position 2 cannot be typed"},
        {"é\xc2\x85", "Character code 133 at position 2 cannot be typed"}, // a C1 control
        {"a\xc3", "Byte 195 at position 2 is not valid UTF-8"},            // cut short
        {"\xc3(", "Byte 195 at position 1 is not valid UTF-8"},
        {"\x80", "Byte 128 at position 1 is not valid UTF-8"},             // stray continuation
        {"\xc0\xaf", "Byte 192 at position 1 is not valid UTF-8"},         // overlong "/"
        {"\xe0\x80\xaf", "Byte 224 at position 1 is not valid UTF-8"},     // overlong "/"
        {"\xed\xa0\x80", "Byte 237 at position 1 is not valid UTF-8"},     // a surrogate
        {"\xf4\x90\x80\x80", "Byte 244 at position 1 is not valid UTF-8"}, // past U+10FFFF
        {"{\xc3}", "Byte 195 at position 2 is not valid UTF-8"},
        {"{éa}", "Unknown key name \"{éa}\" at position 1"},
    };
    for (const auto &[notation, fragment] : cases) {
        SCOPED_TRACE("notation: " + notation);
        try {
            ToKeysymEvents(notation);
            ADD_FAILURE() << "no error";
        } catch (const KeyNotationError &error) {
            EXPECT_NE(std::string(error.what()).find(fragment), std::string::npos) << error.what();
            EXPECT_EQ(error.what(), ParseKeys(notation, KeyCharacters::Unicode).error);
        }
    }
}

} // namespace
} // namespace zorbic
