#include "keys/FormatKeys.h"

#include "keys/ParseKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbic {
namespace {

TEST(BraceEach, WrapsEveryCharacter) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},         {"1.5E+20", "{1}{.}{5}{E}{+}{2}{0}"}, {"-.25", "{-}{.}{2}{5}"},
        {"{}", "{{}{}}"}, {"+^%~()", "{+}{^}{%}{~}{(}{)}"},
    };
    for (const auto &[text, braced] : cases) {
        SCOPED_TRACE("text: " + text);
        EXPECT_EQ(BraceEach(text), braced);
    }
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

TEST(FormatKeys, WritesCanonicalNotation) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"+a", "+a"},
        {"~", "{ENTER}"},
        {"{bs}{bksp}", "{BACKSPACE 2}"},
        {"{tab}{tab}", "{TAB 2}"},
        {"+(ab)", "+a+b"},
        {"^%+x", "+^%x"},
        {"{home}+{end}", "{HOME}+{END}"},
        {"{HOME}{(}{END}{)}", "{HOME}{(}{END}{)}"},
        {"aaa", "{a 3}"},
        {"{{}{}}{}}", "{{}{} 2}"},
        {"{  2}", "{  2}"},
        {"{f16}", "{F16}"},
        {"{x 255}{x 255}{x 3}", "{x 255}{x 255}{x 3}"}, // runs split at the repeat limit
    };
    for (const auto &[notation, canonical] : cases) {
        SCOPED_TRACE("notation: " + notation);
        const KeyParse parse = ParseKeys(notation);
        ASSERT_TRUE(parse.ok()) << parse.error;
        EXPECT_EQ(FormatKeys(parse.strokes), canonical);
    }
}

TEST(FormatKeys, ReadsBackIntoTheSameStrokes) {
    const std::vector<std::string> cases = {
        "+(ab)^c%f~",   "{tab 2}+{tab}{enter}", "{{}{}}{+ 5}{~}", "{f1}{F2 9}^{del}",
        "1.5E+20{  3}", "+^%{left 255}{left}",  "a+a^a%a{a}",
    };
    for (const std::string &notation : cases) {
        SCOPED_TRACE("notation: " + notation);
        const KeyParse first = ParseKeys(notation);
        ASSERT_TRUE(first.ok()) << first.error;
        const std::string canonical = FormatKeys(first.strokes);
        const KeyParse again = ParseKeys(canonical);
        ASSERT_TRUE(again.ok()) << again.error << " in " << canonical;
        EXPECT_EQ(again.strokes, first.strokes) << "canonical: " << canonical;
    }
}

} // namespace
} // namespace zorbic
