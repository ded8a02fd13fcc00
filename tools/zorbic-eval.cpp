// Reads typed expressions, one a line, and prints for each: typed, box text, prepared text,
// outcome, result text, raw value text (tab-separated). Faults and error reasons go to stderr.
#include "tools/EvalLine.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr const char *kUsage =
    "usage: zorbic-eval [--radians] [--fixed N] [--today YYYY-MM-DD] < lines\n";

int Usage() {
    std::cerr << kUsage;
    return 2;
}

int Help() {
    std::cout << kUsage
              << "\nEvaluates typed expressions, one a line, as the calculator's Enter key does,\n"
                 "and prints for each: typed, box text, prepared text, outcome (OK, ERROR or\n"
                 "FAULT), result text, raw value text, separated by tabs. Faults and error\n"
                 "reasons go to standard error.\n\n"
                 "  --radians          trig functions in radians (default: degrees)\n"
                 "  --fixed N          results with N decimals (default: Normal results)\n"
                 "  --today YYYY-MM-DD the date that @TODAY stands for\n"
                 "  -h, --help         show this help and exit\n"
                 "      --version      show the version and exit\n";
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    zorbic::EvalOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") return Help();
        if (arg == "--version") {
            std::cout << "zorbic-eval " ZORBIC_VERSION "\n";
            return 0;
        }
        if (arg == "--radians") {
            options.radians = true;
        } else if (arg == "--fixed" && i + 1 < argc) {
            char *end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 0 || n > 32767) return Usage();
            options.fixedDecimals = static_cast<int>(n);
        } else if (arg == "--today" && i + 1 < argc) {
            zorbic::CivilDate d{};
            char extra = 0;
            if (std::sscanf(argv[++i], "%d-%d-%d%c", &d.year, &d.month, &d.day, &extra) != 3)
                return Usage();
            options.today = d;
        } else {
            return Usage();
        }
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const zorbic::EvalRow row = zorbic::EvalLine(line, options);
        for (const std::string &fault : row.faults)
            std::cerr << "fault: " << fault << '\n';
        if (!row.errorReason.empty()) std::cerr << "error: " << row.errorReason << '\n';
        std::cout << zorbic::FormatRow(row) << '\n';
    }
    return 0;
}
