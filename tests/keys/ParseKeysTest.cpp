#include "keys/ParseKeys.h"

#include "keys/KeyNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbic {
namespace {

KeyStroke Ch(char c) {
    return {Key::Character, c, false, false, false};
}
KeyStroke Wide(char32_t codepoint) {
    return {Key::Character, 0, false, false, false, codepoint};
}
KeyStroke Named(Key k) {
    return {k, 0, false, false, false};
}
KeyStroke Shift(KeyStroke s) {
    s.shift = true;
    return s;
}
KeyStroke Ctrl(KeyStroke s) {
    s.ctrl = true;
    return s;
}
KeyStroke Alt(KeyStroke s) {
    s.alt = true;
    return s;
}

} // namespace

// Named in the messages of failed comparisons of strokes.
void PrintTo(const KeyStroke &s, std::ostream *out) {
    *out << (s.codepoint != 0          ? "U+" + std::to_string(s.codepoint)
             : s.key == Key::Character ? std::string("'") + s.character + "'"
                                       : "key " + std::to_string(static_cast<int>(s.key)))
         << (s.shift ? "+shift" : "") << (s.ctrl ? "+ctrl" : "") << (s.alt ? "+alt" : "");
}

namespace {

struct Accepted {
    std::string notation;
    std::vector<KeyStroke> strokes;
};

TEST(ParseKeys, AcceptedNotationGivesTheseStrokes) {
    const std::vector<Accepted> cases = {
        {"", {}},
        {"aB1 .", {Ch('a'), Ch('B'), Ch('1'), Ch(' '), Ch('.')}},
        {"{+}", {Ch('+')}},
        {"+ab", {Shift(Ch('a')), Ch('b')}},
        {"{^}{%}{~}{(}{)}", {Ch('^'), Ch('%'), Ch('~'), Ch('('), Ch(')')}},
        {"{{}", {Ch('{')}},
        {"{}}", {Ch('}')}},
        {"{ }", {Ch(' ')}},
        {"~", {Named(Key::Enter)}},
        {"+~", {Shift(Named(Key::Enter))}},
        {"{enter}{ENTER}{Enter}", {Named(Key::Enter), Named(Key::Enter), Named(Key::Enter)}},
        {"{tab 2}", {Named(Key::Tab), Named(Key::Tab)}},
        {"+{tab}", {Shift(Named(Key::Tab))}},
        {"{x 3}", {Ch('x'), Ch('x'), Ch('x')}},
        {"{} 2}", {Ch('}'), Ch('}')}},
        {"{+ 2}", {Ch('+'), Ch('+')}},
        {"+(ab)c", {Shift(Ch('a')), Shift(Ch('b')), Ch('c')}},
        {"(ab)", {Ch('a'), Ch('b')}},
        {"^(a%b)", {Ctrl(Ch('a')), Alt(Ctrl(Ch('b')))}},
        {"+(a(b)c)", {Shift(Ch('a')), Shift(Ch('b')), Shift(Ch('c'))}},
        {"^+({tab 2})", {Shift(Ctrl(Named(Key::Tab))), Shift(Ctrl(Named(Key::Tab)))}},
        {"+^%x", {Alt(Ctrl(Shift(Ch('x'))))}},
        {"++a", {Shift(Ch('a'))}},
        {"^{+}", {Ctrl(Ch('+'))}},
        {"{BS}{bksp}{BackSpace}",
         {Named(Key::Backspace), Named(Key::Backspace), Named(Key::Backspace)}},
        {"{del}{DELETE}", {Named(Key::Delete), Named(Key::Delete)}},
        {"{pgup}{PGDN}{prtsc}",
         {Named(Key::PageUp), Named(Key::PageDown), Named(Key::PrintScreen)}},
        {"{f1}{F2}{f10}{f16}", {Named(Key::F1), Named(Key::F2), Named(Key::F10), Named(Key::F16)}},
        {"{1}{.}{5}{E}{+}{2}{0}", {Ch('1'), Ch('.'), Ch('5'), Ch('E'), Ch('+'), Ch('2'), Ch('0')}},
    };
    for (const Accepted &c : cases) {
        SCOPED_TRACE("notation: " + c.notation);
        const KeyParse parse = ParseKeys(c.notation);
        EXPECT_TRUE(parse.ok()) << parse.error;
        EXPECT_TRUE(parse.error.empty());
        EXPECT_EQ(parse.strokes, c.strokes);
        EXPECT_EQ(ParseKeys(c.notation, KeyCharacters::Unicode).strokes, c.strokes);
    }
}

TEST(ParseKeys, UnicodeKeepsUtf8CharactersWhole) {
    const std::vector<Accepted> cases = {
        {"é€", {Wide(0xe9), Wide(0x20ac)}},
        {"+{π}^(é)", {Shift(Wide(0x3c0)), Ctrl(Wide(0xe9))}},
        {"{\xf0\x9f\x98\x80 2}a", {Wide(0x1f600), Wide(0x1f600), Ch('a')}},
        {"\xc2\xa0\xef\xbf\xbd", {Wide(0xa0), Wide(0xfffd)}}, // first above the C1 controls
    };
    for (const Accepted &c : cases) {
        SCOPED_TRACE("notation: " + c.notation);
        const KeyParse parse = ParseKeys(c.notation, KeyCharacters::Unicode);
        EXPECT_TRUE(parse.ok()) << parse.error;
        EXPECT_EQ(parse.strokes, c.strokes);
        for (const KeyStroke &stroke : parse.strokes)
            EXPECT_TRUE(IsValidStroke(stroke));
    }
    EXPECT_FALSE(IsValidStroke(Wide(0xd800)));
    EXPECT_FALSE(IsValidStroke(Wide(0x85)));
}

TEST(ParseKeys, RepeatCountUpToTheLimit) {
    const KeyParse parse = ParseKeys("{tab 255}");
    ASSERT_TRUE(parse.ok()) << parse.error;
    EXPECT_EQ(parse.strokes.size(), 255u);
    EXPECT_EQ(parse.strokes.back(), Named(Key::Tab));
    EXPECT_EQ(ParseKeys("{tab 007}").strokes.size(), 7u);
}

struct Rejected {
    std::string notation;
    std::string fragment; // part of the message that names the fault and where it is
};

TEST(ParseKeys, BadNotationIsRejectedWithAMessageAndNoStrokes) {
    const std::vector<Rejected> cases = {
        {"ab{FOO}", "Unknown key name \"{FOO}\" at position 3"},
        {"{F17}", "Unknown key name \"{F17}\" at position 1"},
        {"{F0}", "Unknown key name \"{F0}\""},
        {"{ tab}", "Unknown key name \"{ tab}\""},
        {"{tab 0}", "Repeat count 0 in \"{tab 0}\" at position 1 is out of range (1 to 255)"},
        {"{tab 256}", "Repeat count 256"},
        {"{tab 99999999999999999999}", "out of range"},
        {"{tab x}", "Bad repeat count \"x\" in \"{tab x}\" at position 1"},
        {"{tab }", "Bad repeat count \"\""},
        {"{tab 2 }", "Bad repeat count \"2 \""},
        {"{", "Unclosed \"{\" at position 1"},
        {"ab{}", "Unclosed \"{\" at position 3"},
        {"{}", "Unclosed \"{\" at position 1"},
        {"a}", "Unmatched \"}\" at position 2"},
        {"+", "Modifier \"+\" at position 1 has no key after it"},
        {"ab^", "Modifier \"^\" at position 3 has no key after it"},
        {"(+)", "Modifier \"+\" at position 2 has no key after it"},
        {"(", "Unmatched \"(\" at position 1"},
        {"a(b(c)", "Unmatched \"(\" at position 2"},
        {")", "Unmatched \")\" at position 1"},
        {"+()", "Empty parentheses at position 2"},
        {"a\tb", "Character code 9 at position 2 cannot be typed"},
        {"\xc3\xa9", "Character code 195 at position 1 cannot be typed"},
        {std::string("a\0b", 3), "Character code 0 at position 2"},
        {"{x 255}{x 255}" + std::string(9600, 'y'), "more than 10000 key strokes"},
    };
    for (const Rejected &c : cases) {
        SCOPED_TRACE("notation: " + c.notation.substr(0, 40));
        const KeyParse parse = ParseKeys(c.notation);
        EXPECT_FALSE(parse.ok());
        EXPECT_NE(parse.error.find(c.fragment), std::string::npos) << "message: " << parse.error;
        EXPECT_TRUE(parse.strokes.empty()) << "strokes were made from bad notation";
    }
}

TEST(ParseKeys, DeepNestingDoesNotExhaustTheStack) {
    const std::string deep = std::string(100000, '(') + "a" + std::string(100000, ')');
    const KeyParse parse = ParseKeys("+" + deep);
    ASSERT_TRUE(parse.ok()) << parse.error;
    EXPECT_EQ(parse.strokes, std::vector<KeyStroke>{Shift(Ch('a'))});
}

TEST(KeyNames, EveryNamedKeyHasACanonicalNameThatReadsBack) {
    for (int k = static_cast<int>(Key::Backspace); k <= static_cast<int>(Key::F16); ++k) {
        const Key key = static_cast<Key>(k);
        SCOPED_TRACE(k);
        ASSERT_FALSE(KeyName(key).empty());
        EXPECT_EQ(FindKeyName(KeyName(key)), key);
    }
    for (const char *bad : {"F", "", "TABX"})
        EXPECT_FALSE(FindKeyName(bad).has_value()) << bad;
}

} // namespace
} // namespace zorbic
