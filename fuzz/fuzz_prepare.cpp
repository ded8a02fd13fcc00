// fnConvertDegrees on any box text: nothing crashes and what it leaves follows its rules.
#include "engine/Prepare.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string typed(reinterpret_cast<const char *>(data), size);
    std::string box;
    try {
        box = zorbic::PrepareBoxText(typed);
    } catch (const zorbic::TextOverflow &) {
        Check(typed.size() > 32767);
        return 0;
    }
    Check(box.find_first_of(" \r\n") == std::string::npos);
    for (char c : box)
        Check(c < 'a' || c > 'z');
    std::string expression = box;
    std::string returned;
    try {
        returned = zorbic::fnConvertDegrees(expression);
    } catch (const zorbic::TextOverflow &) {
        Check(expression == box); // a text that would grow too long is left as it was
        return 0;
    }
    Check(returned == expression);
    Check(expression.size() <= 32767);
    Check(expression.size() >= box.size());
    // PI and every free-standing E and X have been replaced; a % became /100.
    Check(expression.find("PI") == std::string::npos);
    Check(expression.find('%') == std::string::npos);
    for (std::size_t i = 0; i < expression.size(); ++i) {
        const char c = expression[i];
        const char before = i > 0 ? expression[i - 1] : '\0';
        const char after = i + 1 < expression.size() ? expression[i + 1] : '\0';
        if (c == 'X') // only the X of EXP stays (its P may have become part of PI)
            Check(before == 'E');
        if (c == 'E') {
            const char next = (after == '+' || after == '-') && i + 2 < expression.size()
                                  ? expression[i + 2]
                                  : after;
            const bool exponent = (IsDigit(before) || before == '.') && IsDigit(next);
            Check(before == 'S' || after == 'X' || exponent);
        }
    }
    return 0;
}
