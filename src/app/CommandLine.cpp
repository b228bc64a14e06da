#include "CommandLine.h"

#include <string_view>
#include <vector>

namespace skillwright::app {

namespace {

constexpr std::string_view kUsage =
    "Usage: skillwright [REPORT | CODE | LINK]\n"
    "Plans a Diablo II character's skill points level by level.\n"
    "\n"
    "  REPORT  a character report saved by Skillwright, such as Documents/Skillwright/Hero.txt\n"
    "  CODE    a build code, such as SW1ACnARep8FJNh\n"
    "  LINK    a plan's link, skillwright://plan/ followed by its build code\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and end\n"
    "  -v, --version  show the version and end\n";

#ifndef SKILLWRIGHT_VERSION
#define SKILLWRIGHT_VERSION "unknown"
#endif

std::string_view argumentAt(const char* const* argv, int i) {
    return argv[i] != nullptr ? std::string_view(argv[i]) : std::string_view();
}

} // namespace

std::optional<TerminalAnswer> informationAnswer(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argumentAt(argv, i);
        if (a == "--") {
            break;
        }
        if (a == "--help" || a == "-h") {
            return TerminalAnswer{std::string(kUsage), false, 0};
        }
        if (a == "--version" || a == "-v") {
            return TerminalAnswer{"skillwright " SKILLWRIGHT_VERSION "\n", false, 0};
        }
    }
    return std::nullopt;
}

int toolkitArgumentCount(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (argumentAt(argv, i) == "--") {
            return i;
        }
    }
    return argc;
}

CommandLine readCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> operands;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argumentAt(argv, i);
        if (options && a == "--") {
            options = false;
            continue;
        }
        if (options && a.size() > 1 && a.front() == '-') {
            return {{},
                    TerminalAnswer{"skillwright: unknown option " + std::string(a) +
                                       " (skillwright --help tells the options)\n",
                                   true, 2}};
        }
        operands.emplace_back(a);
    }
    if (operands.size() > 1) {
        return {{},
                TerminalAnswer{"skillwright: one report, build code or link at a time, not " +
                                   std::to_string(operands.size()) + "\n",
                               true, 2}};
    }
    return {operands.empty() ? std::string() : operands.front(), std::nullopt};
}

} // namespace skillwright::app
