#pragma once

#include <QKeyCombination>

#include <array>

namespace skillwright::screens {

/// The program's own commands, as against the design's screen commands: the
/// player reaches them by their keys on the windows that offer them, and from
/// the command menu of a skill tree screen's emblem.
enum class ProgramCommand {
    CopyBuildCode,
    PasteBuildCode,
    OpenCharacter,
    CompareWith,     ///< a saved character as the reference; its keys again end the comparison
    CompareWithCode, ///< the build code on the clipboard as the reference
    StopComparing,
};

struct ProgramCommandEntry {
    ProgramCommand command;
    const char* name;     ///< the menu entry's objectName
    const char* caption;  ///< the menu entry's text, its keys shown beside it
    QKeyCombination keys; ///< none for a command reached from the menu alone
};

/// Every program command, in the command menu's order.
inline constexpr std::array<ProgramCommandEntry, 6> kProgramCommands{{
    {ProgramCommand::CopyBuildCode, "mnu_CopyBuildCode", "Copy Build Code", Qt::CTRL | Qt::Key_C},
    {ProgramCommand::PasteBuildCode, "mnu_PasteBuildCode", "Paste Build Code", Qt::CTRL | Qt::Key_V},
    {ProgramCommand::OpenCharacter, "mnu_OpenCharacter", "Open Character...", Qt::CTRL | Qt::Key_O},
    {ProgramCommand::CompareWith, "mnu_CompareWith", "Compare With...", Qt::CTRL | Qt::SHIFT | Qt::Key_O},
    {ProgramCommand::CompareWithCode, "mnu_CompareWithCode", "Compare With Build Code",
     Qt::CTRL | Qt::SHIFT | Qt::Key_V},
    {ProgramCommand::StopComparing, "mnu_StopComparing", "Stop Comparing", QKeyCombination()},
}};

/// The keys of `command`.
constexpr QKeyCombination commandKeys(ProgramCommand command) {
    for (const ProgramCommandEntry& entry : kProgramCommands) {
        if (entry.command == command) {
            return entry.keys;
        }
    }
    return {};
}

} // namespace skillwright::screens
