#include "shell/CommandLine.h"

#include "platform/DataFileStore.h"
#include "shell/about/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace zorbic {

namespace {

// The options that QCoreApplication, QGuiApplication, QApplication and the xcb platform plugin
// take out of the arguments (Qt 6), with a value in the next argument or without one. Qt also
// takes each of them with two dashes.
constexpr std::string_view kQtOptionsWithValue[] = {
    "-platform",    "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle",       "-session",       "-style",  "-stylesheet",
    "-display",     "-geometry",           "-title",         "-icon",   "-name",
    "-visual"};
constexpr std::string_view kQtFlags[] = {"-reverse", "-testability", "-widgetcount",
                                         "-nograb",  "-dograb",      "-sync"};
// These also come as one argument: -style=Fusion.
constexpr std::string_view kQtJoinedOptions[] = {"-style=", "-stylesheet=", "-qmljsdebugger="};

template <std::size_t N> bool isOneOf(std::string_view option, const std::string_view (&list)[N]) {
    return std::find(std::begin(list), std::end(list), option) != std::end(list);
}

constexpr const char *kUsage = "Usage: zorbic [OPTION]...\n"
                               "\n"
                               "  -h, --help     show this help and exit\n"
                               "      --version  show the version and exit\n"
                               "\n"
                               "Qt's own options work too, for example -style Fusion,\n"
                               "-platform offscreen, -stylesheet FILE, -reverse, -display :1 and\n"
                               "-geometry 300x200+10+10.\n";

void printHelp(int argc, char *argv[]) {
    std::fputs("Zorbic, an expression calculator: type an expression, press Enter, and the\n"
               "result goes into the history list. F1 opens the help pages.\n\n",
               stdout);
    std::fputs(kUsage, stdout);
    // Where this program finds its files, resolved by the code that uses them. A core
    // application object opens no window and no display connection.
    const QCoreApplication app(argc, argv);
    const QString dataFile = QDir::toNativeSeparators(DataFileStore::Locate());
    std::printf("\nData file:  %s\n", qPrintable(dataFile));
    const QString help = findHelpFolder();
    if (!help.isEmpty()) {
        std::printf("Help pages: %s\n", qPrintable(QDir::toNativeSeparators(help)));
    } else {
        std::printf("Help pages: not found; looked in\n");
        for (const QString &folder : helpFolderCandidates())
            std::printf("  %s\n", qPrintable(QDir::toNativeSeparators(folder)));
    }
}

} // namespace

CommandLine ParseCommandLine(int argc, const char *const argv[]) {
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            help = true;
            continue;
        }
        if (argument == "--version") {
            version = true;
            continue;
        }
        std::string_view option = argument;
        if (option.starts_with("--")) option.remove_prefix(1);
        const bool joined = std::any_of(std::begin(kQtJoinedOptions), std::end(kQtJoinedOptions),
                                        [&](std::string_view o) { return option.starts_with(o); });
        if (joined || isOneOf(option, kQtFlags)) continue;
        if (isOneOf(option, kQtOptionsWithValue)) {
            if (++i < argc) continue;
            return {CommandLineRequest::Refused,
                    "option '" + std::string(argument) + "' needs a value"};
        }
        const char *what = argument.starts_with('-') ? "unknown option" : "unexpected argument";
        return {CommandLineRequest::Refused,
                std::string(what) + " '" + std::string(argument) + "'"};
    }
    if (help) return {CommandLineRequest::Help, {}};
    if (version) return {CommandLineRequest::Version, {}};
    return {};
}

std::optional<int> AnswerCommandLine(int argc, char *argv[]) {
    const CommandLine line = ParseCommandLine(argc, argv);
    switch (line.request) {
    case CommandLineRequest::Run:
        return std::nullopt;
    case CommandLineRequest::Help:
        SetApplicationNames();
        printHelp(argc, argv);
        return 0;
    case CommandLineRequest::Version:
        std::fputs("zorbic " ZORBIC_VERSION "\n", stdout);
        return 0;
    case CommandLineRequest::Refused:
        std::fprintf(stderr, "zorbic: %s\n", line.problem.c_str());
        std::fputs(kUsage, stderr);
        return 2;
    }
    return 2;
}

void SetApplicationNames() {
    QCoreApplication::setApplicationName(QStringLiteral("Zorbic"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zorbic Works"));
    QGuiApplication::setDesktopFileName(QStringLiteral("zorbic"));
}

} // namespace zorbic
