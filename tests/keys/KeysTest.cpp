#include "keys/FormatKeys.h"
#include "keys/KeyNames.h"
#include "keys/ParseKeys.h"

#include "CaseFile.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zorbic {
namespace {

// The strokes column of the case file (see its header), read with names of the test's own.
std::vector<KeyStroke> Strokes(const std::string &text) {
    static const std::map<std::string, Key> named{
        {"Enter", Key::Enter},       {"Tab", Key::Tab},     {"Bs", Key::Backspace},
        {"Del", Key::Delete},        {"Home", Key::Home},   {"End", Key::End},
        {"Left", Key::Left},         {"PgUp", Key::PageUp}, {"PgDn", Key::PageDown},
        {"PrtSc", Key::PrintScreen}, {"F1", Key::F1},       {"F2", Key::F2},
        {"F10", Key::F10},           {"F16", Key::F16}};
    std::vector<KeyStroke> strokes;
    std::istringstream in(text);
    for (std::string token; in >> token;) {
        KeyStroke s;
        for (; token.size() > 2 && token[1] == '-'; token.erase(0, 2))
            (token[0] == 's' ? s.shift : token[0] == 'c' ? s.ctrl : s.alt) = true;
        if (token.size() == 1 || token == "SP") {
            s.character = token == "SP" ? ' ' : token[0];
        } else {
            EXPECT_TRUE(named.contains(token)) << "no key " << token << " in the test's names";
            s.key = named.at(token);
        }
        strokes.push_back(s);
    }
    return strokes;
}

// A parse that fails with `message` and makes no strokes.
void ExpectRejected(const KeyParse &parse, const std::string &message) {
    EXPECT_NE(parse.error.find(message), std::string::npos) << parse.error;
    EXPECT_TRUE(parse.strokes.empty()) << "strokes were made from bad notation";
}

TEST(KeyNotation, CaseRows) {
    for (const test::CaseRow &row : test::ReadCases(ZORBIC_KEYS_CASES "/notation.tsv", 3)) {
        SCOPED_TRACE("notation.tsv" + test::Trace(row));
        const std::string notation = test::Unescape(row.fields[0]);
        const KeyParse parse = ParseKeys(notation);
        if (row.fields[1] == "!") {
            ExpectRejected(parse, row.fields[2]);
            continue;
        }
        ASSERT_TRUE(parse.ok()) << parse.error;
        EXPECT_EQ(parse.strokes, Strokes(row.fields[1]));
        EXPECT_EQ(FormatKeys(parse.strokes), row.fields[2]);
        EXPECT_EQ(ParseKeys(row.fields[2]).strokes, parse.strokes) << "canonical reads back";
        EXPECT_EQ(ParseKeys(notation, KeyCharacters::Unicode).strokes, parse.strokes)
            << "ASCII notation reads the same in both modes";
    }
}

TEST(KeyNotation, LimitsAndCharactersOutsideTheFile) {
    EXPECT_EQ(ParseKeys("{tab 255}").strokes, std::vector<KeyStroke>(255, {Key::Tab}));
    // Runs are written split at the repeat limit.
    const std::string long_ = "{x 255}{x 255}{x 3}";
    EXPECT_EQ(FormatKeys(ParseKeys(long_).strokes), long_);
    ExpectRejected(ParseKeys(long_ + std::string(9488, 'y')), "more than 10000 key strokes");
    EXPECT_EQ(ParseKeys(long_ + std::string(9487, 'y')).strokes.size(), 10000u);
    const std::string deep = std::string(100000, '(') + "a" + std::string(100000, ')');
    EXPECT_EQ(ParseKeys("+" + deep).strokes, (std::vector<KeyStroke>{{Key::Character, 'a', true}}));
}

// The Unicode mode keeps UTF-8 characters whole (their strokes are checked as keysyms in the
// Wayland tests); a byte that is not UTF-8 is still a fault.
TEST(KeyNotation, UnicodeKeepsUtf8CharactersWhole) {
    EXPECT_EQ(FormatKeys(ParseKeys("é{é}{€ 3}", KeyCharacters::Unicode).strokes), "{é 2}{€ 3}");
    EXPECT_EQ(BraceEach("π€\xff"), "{π}{€}{\xff}"); // UTF-8 characters whole, other bytes alone
    EXPECT_FALSE(ParseKeys("a\xc3", KeyCharacters::Unicode).ok());
    EXPECT_FALSE(IsValidStroke({Key::Character, 0, false, false, false, 0xd800}));
    EXPECT_FALSE(IsValidStroke({Key::Character, 0, false, false, false, 0x85}));
}

// Every printable character and every named key survive a trip through the notation.
TEST(KeyNotation, EverythingTypeableReadsBack) {
    std::string all;
    std::vector<KeyStroke> strokes;
    for (char c = 0x20; c < 0x7f; ++c) {
        all += c;
        strokes.push_back({Key::Character, c});
    }
    EXPECT_EQ(ParseKeys(BraceEach(all)).strokes, strokes);
    for (int k = static_cast<int>(Key::Backspace); k <= static_cast<int>(Key::F16); ++k)
        strokes.push_back({static_cast<Key>(k)});
    EXPECT_EQ(ParseKeys(FormatKeys(strokes)).strokes, strokes);
    for (const char *bad : {"F", "", "TABX"})
        EXPECT_FALSE(FindKeyName(bad).has_value()) << bad;
}

} // namespace
} // namespace zorbic
