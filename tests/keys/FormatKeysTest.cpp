#include "keys/FormatKeys.h"

#include "keys/ParseKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbic {
namespace {

TEST(BraceEach, WrapsEveryCharacter) {
    EXPECT_EQ(BraceEach("1.5E+20"), "{1}{.}{5}{E}{+}{2}{0}");
    EXPECT_EQ(BraceEach("{}"), "{{}{}}");
    EXPECT_EQ(BraceEach(""), "");
    EXPECT_EQ(BraceEach("π€\xff"), "{π}{€}{\xff}"); // UTF-8 characters whole, other bytes alone
}

TEST(BraceEach, EveryPrintableTextTypesBackExactly) {
    std::string all;
    for (int c = 0x20; c < 0x7f; ++c)
        all += static_cast<char>(c);
    const KeyParse parse = ParseKeys(BraceEach(all));
    ASSERT_TRUE(parse.ok()) << parse.error;
    ASSERT_EQ(parse.strokes.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(parse.strokes[i], (KeyStroke{Key::Character, all[i], false, false, false}))
            << "at " << i;
    }
}

// The canonical notation, which must also read back into the same strokes.
TEST(FormatKeys, WritesCanonicalNotationThatReadsBack) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"+a", "+a"},
        {"~", "{ENTER}"},
        {"{bs}{bksp}", "{BACKSPACE 2}"},
        {"+(ab)^c%f~", "+a+b^c%f{ENTER}"},
        {"^%+x", "+^%x"},
        {"{home}+{end}", "{HOME}+{END}"},
        {"{HOME}{(}{END}{)}", "{HOME}{(}{END}{)}"},
        {"aaa", "{a 3}"},
        {"{{}{}}{}}", "{{}{} 2}"},
        {"{  2}", "{  2}"},
        {"{f1}{F2 9}^{del}", "{F1}{F2 9}^{DELETE}"},
        {"+^%{left 255}{left}", "+^%{LEFT 255}{LEFT}"},
        {"{x 255}{x 255}{x 3}", "{x 255}{x 255}{x 3}"}, // runs split at the repeat limit
        {"é{é}{€ 3}+π{(}", "{é 2}{€ 3}+π{(}"},
    };
    for (const auto &[notation, canonical] : cases) {
        SCOPED_TRACE("notation: " + notation);
        const KeyParse parse = ParseKeys(notation, KeyCharacters::Unicode);
        ASSERT_TRUE(parse.ok()) << parse.error;
        EXPECT_EQ(FormatKeys(parse.strokes), canonical);
        EXPECT_EQ(ParseKeys(canonical, KeyCharacters::Unicode).strokes, parse.strokes);
    }
}

} // namespace
} // namespace zorbic
