#pragma once

#include <optional>
#include <string>

namespace zorbic {

// What the command line asks for. The program has two options of its own (--help, --version)
// and accepts every option that Qt's application object takes (-style Fusion, -platform
// offscreen, -reverse, -display :1, ...); anything else is refused.
enum class CommandLineRequest { Run, Help, Version, Refused };

struct CommandLine {
    CommandLineRequest request = CommandLineRequest::Run;
    std::string problem; // why it was refused, naming the argument at fault
};

// Reads the arguments after the program name; needs no Qt object. A refusal anywhere wins over
// --help and --version, and --help over --version.
CommandLine ParseCommandLine(int argc, const char *const argv[]);

// Called first, before any application object exists: answers --help and --version on standard
// output, and a refused command line with the usage on standard error, without opening a window
// or a display connection. Returns the exit code when the program stops there (0, or 2 for a
// refused command line), nothing when it is to run.
std::optional<int> AnswerCommandLine(int argc, char *argv[]);

// The application's names, which also name the user's data folder ("Zorbic Works/Zorbic") and
// the desktop entry that a Wayland compositor matches the window with. Set before the
// application object is created.
void SetApplicationNames();

} // namespace zorbic
