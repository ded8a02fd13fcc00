#include "platform/wayland/KeysymMap.h"

#include "CaseFile.h"
#include "keys/ParseKeys.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace zorbic {

bool operator==(const KeysymEvent &a, const KeysymEvent &b) {
    return a.keysym == b.keysym && a.pressed == b.pressed;
}

namespace {

// The events column of the case file (see its header).
KeysymEvents Events(const std::string &text) {
    KeysymEvents events;
    std::istringstream in(text);
    for (std::string token; in >> token;) {
        const bool press = token[0] != '-', release = token[0] != '+';
        const auto keysym = static_cast<std::uint32_t>(
            std::stoul(token.substr(press && release ? 0 : 1), nullptr, 16));
        if (press) events.push_back({keysym, true});
        if (release) events.push_back({keysym, false});
    }
    return events;
}

TEST(KeysymMap, CaseRows) {
    for (const test::CaseRow &row : test::ReadCases(ZORBIC_KEYSYM_CASES "/keysyms.tsv", 2)) {
        SCOPED_TRACE("keysyms.tsv" + test::Trace(row));
        const std::string notation = test::Unescape(row.fields[0]);
        if (!row.fields[1].starts_with('!')) {
            EXPECT_EQ(ToKeysymEvents(notation), Events(row.fields[1]));
            continue;
        }
        try {
            ToKeysymEvents(notation);
            ADD_FAILURE() << "no error";
        } catch (const KeyNotationError &error) {
            EXPECT_NE(std::string(error.what()).find(row.fields[1].substr(1)), std::string::npos)
                << error.what();
            EXPECT_EQ(error.what(), ParseKeys(notation, KeyCharacters::Unicode).error);
        }
    }
}

} // namespace
} // namespace zorbic
