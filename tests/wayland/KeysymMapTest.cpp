#include "platform/wayland/KeysymMap.h"

#include "keys/FormatKeys.h"
#include "keys/ParseKeys.h"

#include <gtest/gtest.h>

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

// X keysyms, written out rather than taken from the library under test.
constexpr std::uint32_t Return = 0xff0d, Tab = 0xff09, ShiftL = 0xffe1, ControlL = 0xffe3,
                        AltL = 0xffe9;

KeysymEvents Tap(std::uint32_t keysym) {
    return {{keysym, true}, {keysym, false}};
}
KeysymEvents Chord(std::vector<std::uint32_t> held, std::uint32_t keysym) {
    KeysymEvents events;
    for (std::uint32_t m : held)
        events.push_back({m, true});
    events.push_back({keysym, true});
    events.push_back({keysym, false});
    for (auto m = held.rbegin(); m != held.rend(); ++m)
        events.push_back({*m, false});
    return events;
}
KeysymEvents Join(std::vector<KeysymEvents> parts) {
    KeysymEvents all;
    for (const KeysymEvents &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(KeysymMap, EveryPrintableAsciiCharacterIsItsOwnKeysymWithoutShift) {
    std::string all;
    for (char c = 0x20; c < 0x7f; ++c)
        all += c;
    const KeysymEvents events = ToKeysymEvents(BraceEach(all));
    ASSERT_EQ(events.size(), 2 * all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(std::string("character ") + all[i]);
        EXPECT_EQ(events[2 * i], (KeysymEvent{static_cast<std::uint32_t>(all[i]), true}));
        EXPECT_EQ(events[2 * i + 1], (KeysymEvent{static_cast<std::uint32_t>(all[i]), false}));
    }
}

TEST(KeysymMap, NotationGivesThesePressesAndReleases) {
    const std::vector<std::pair<std::string, KeysymEvents>> cases = {
        {"", {}},
        {"~", Tap(Return)},
        {"{ENTER}", Tap(Return)},
        {"Az", Join({Tap('A'), Tap('z')})},
        {"{tab}", Tap(Tab)},
        {"+{TAB}", {{ShiftL, true}, {Tab, true}, {Tab, false}, {ShiftL, false}}},
        {"{tab 3}", Join({Tap(Tab), Tap(Tab), Tap(Tab)})},
        {"{f1}{F2}{f12}{F16}", Join({Tap(0xffbe), Tap(0xffbf), Tap(0xffc9), Tap(0xffcd)})},
        {"{left}{RIGHT}{up}{down}", Join({Tap(0xff51), Tap(0xff53), Tap(0xff52), Tap(0xff54)})},
        {"{home}{end}{pgup}{pgdn}", Join({Tap(0xff50), Tap(0xff57), Tap(0xff55), Tap(0xff56)})},
        {"{bs}{del}{esc}{ins}", Join({Tap(0xff08), Tap(0xffff), Tap(0xff1b), Tap(0xff63)})},
        {"^c", Chord({ControlL}, 'c')},
        {"+^%x", Chord({ShiftL, ControlL, AltL}, 'x')},
        {"%(ab)", Join({Chord({AltL}, 'a'), Chord({AltL}, 'b')})},
        {"é", Tap(0xe9)},                        // Latin-1 keysyms are the code point
        {"€π", Join({Tap(0x20ac), Tap(0x7f0)})}, // EuroSign, Greek_pi
        {"\xf0\x9f\x98\x80", Tap(0x101f600)},    // U+1F600 has no legacy keysym: 0x01000000 + it
        {"{é 2}+{€}", Join({Tap(0xe9), Tap(0xe9), Chord({ShiftL}, 0x20ac)})},
    };
    for (const auto &[notation, expected] : cases) {
        SCOPED_TRACE("notation: " + notation);
        EXPECT_EQ(ToKeysymEvents(notation), expected);
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
