// The number reader on any text, and the number formats on any double: nothing crashes, and
// every text that is written reads back as the value it shows.
#include "engine/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

void CheckFormats(double x, int decimals) {
    if (!std::isfinite(x)) return;
    const std::string text = zorbic::NumberText(x);
    Check(!text.empty() && (text[0] == ' ' || text[0] == '-'));
    const double shown = zorbic::ReadNumber(text);
    // Within half a unit of the 15th digit of the largest double, the rounded text is beyond
    // it: the evaluator reads that back as an overflow.
    if (!std::isfinite(shown)) {
        Check(std::fabs(x) > 1.797693134862315e308);
        return;
    }
    Check(std::fabs(shown - x) <= 1e-14 * std::fabs(x));
    // Once rounded to 15 digits a value keeps its text; the other formats read back the same.
    Check(zorbic::NumberText(shown) == text);
    Check(zorbic::ReadNumber(zorbic::NormalText(x)) == shown);
    Check(zorbic::ReadNumber(zorbic::RawValueText(x)) == shown);
    const std::string fixed = zorbic::FixedText(x, decimals);
    if (std::floor(x) == x) {
        Check(fixed == zorbic::NormalText(x));
    } else {
        Check(fixed.find('.') != std::string::npos);
        Check(fixed.size() - fixed.find('.') - 1 == static_cast<std::size_t>(decimals));
        const double back = zorbic::ReadNumber(fixed);
        Check(std::fabs(back - shown) <=
              0.5000001 * std::pow(10.0, -decimals) + 1e-14 * std::fabs(shown));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const double read = zorbic::ReadNumber(text);
    Check(!std::isnan(read));
    const int decimals = size > 0 ? data[0] % 24 : 2;
    CheckFormats(read, decimals);
    if (size >= sizeof(double)) {
        double x;
        std::memcpy(&x, data, sizeof x);
        CheckFormats(x, decimals);
    }
    return 0;
}
