#include "CommandLine.h"
#include "Program.h"

#include <toolkit/QtToolkit.h>

#include <QApplication>
#include <QStringList>

#include <art/Art.h>
#include <cstdio>
#include <document/PlanDocument.h>
#include <vector>

namespace {

int answerOnTheTerminal(const skillwright::app::TerminalAnswer& answer) {
    std::fputs(answer.text.c_str(), answer.toError ? stderr : stdout);
    return answer.status;
}

} // namespace

int main(int argc, char** argv) {
    // Help and the version need no window, nor a display to open one on.
    if (const auto answer = skillwright::app::informationAnswer(argc, argv)) {
        return answerOnTheTerminal(*answer);
    }
    // The window system takes its own options only from before "--".
    const int toolkitEnd = skillwright::app::toolkitArgumentCount(argc, argv);
    int toolkitArgc = toolkitEnd;
    QApplication app(toolkitArgc, argv);
    // What it left of them, and all from "--" on.
    std::vector<const char*> arguments(argv, argv + toolkitArgc);
    arguments.insert(arguments.end(), argv + toolkitEnd, argv + argc);
    const skillwright::app::CommandLine line =
        skillwright::app::readCommandLine(static_cast<int>(arguments.size()), arguments.data());
    if (line.answer) {
        return answerOnTheTerminal(*line.answer);
    }
    skillwright::app::applyLook(app);
    QApplication::setWindowIcon(skillwright::art::programIcon()); // every window, dialogs too
    // The menu entry's name: where the desktop asks it (Wayland), its icon and name come from there.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.skillwright"));
    skillwright::toolkit::QtToolkit toolkit;
    skillwright::document::PlanDocument document;
    skillwright::app::Program program(document, toolkit);
    // "skillwright REPORT", "skillwright CODE" or "skillwright LINK" opens that
    // character in place of the start screen. Every copy of the program keeps
    // to itself: a link clicked while one runs starts another beside it.
    program.start(line.argument);
    return QApplication::exec();
}
