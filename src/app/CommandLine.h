#pragma once

#include <optional>
#include <string>

namespace skillwright::app {

/// What the program says on the terminal instead of opening a window, and
/// the status it ends with.
struct TerminalAnswer {
    std::string text;
    bool toError = false; ///< standard error rather than standard output
    int status = 0;
};

/// "--help" or "--version" (or "-h", "-v") anywhere before a "--": the
/// usage or the version, on standard output, status 0. Looked for before
/// the window system is asked for anything, so it needs no display.
std::optional<TerminalAnswer> informationAnswer(int argc, const char* const* argv);

/// How many of the first arguments the window system may take its own
/// options from (such as "-platform"): all before "--". What follows "--" is
/// a report, a code or a link, whatever it looks like.
int toolkitArgumentCount(int argc, const char* const* argv);

/// The command line once the window system has taken its own options out of
/// it: what to open (a report's path, a build code or a plan's link, the
/// argument's bytes as they are, for a file name need not be valid in any
/// encoding; empty for nothing), or an answer for the terminal when an
/// option is unknown or more than one thing is to be opened (status 2).
/// "--" ends the options.
struct CommandLine {
    std::string argument;
    std::optional<TerminalAnswer> answer;
};
CommandLine readCommandLine(int argc, const char* const* argv);

} // namespace skillwright::app
