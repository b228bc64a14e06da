#pragma once

#include <QKeyCombination>
#include <QKeySequence>
#include <QList>

#include <array>
#include <cstdint>
#include <string_view>

namespace skillwright::screens {

/// The commands a window answers to by keys, as against the design's screen
/// commands that are clicked: each is made once, from kProgramCommands, as an
/// action of the windows that offer it (its keys), an entry of the emblem's
/// command menu where it has one, and a line of the sheet of keys.
enum class ProgramCommand : std::uint8_t {
    Save,
    Undo,
    Redo,
    CopyBuildCode,
    PasteBuildCode,
    OpenCharacter,
    CompareWith,     ///< a saved character as the reference; its keys again end the comparison
    CompareWithCode, ///< the build code on the clipboard as the reference
    StopComparing,
    ContinueLast, ///< the newest plan left unsaved
    Notes,        ///< the notes window of the plan on screen
    Attributes,   ///< the attributes window of the plan on screen
    PreviousMilestone,
    NextMilestone,
    SetTarget,     ///< the target of the skill the keyboard is on
    Targets,       ///< the targets window of the plan on screen
    FillToTargets, ///< level-ups until every target is met
    Library,       ///< every saved plan at a glance
    Summary,       ///< the summary window of the plan on screen
    CopyForForum,  ///< the summary as text for a forum, in the form last chosen
    SavePicture,   ///< the trees as a PNG file, at 1x or 2x
    CopyPicture,   ///< the same picture on the clipboard
    ExportPdf,     ///< the plan on one printed page, as a PDF file
    Print,         ///< the plan on one printed page, through the print dialog
    ShowKeys,
};

/// The windows that offer a command.
enum CommandPlace : std::uint8_t { OnTreeScreens = 1, OnStartScreen = 2, Everywhere = 3 };

struct ProgramCommandEntry {
    ProgramCommand command;
    const char* name;    ///< the action's and the menu entry's objectName
    const char* caption; ///< the menu entry's text
    std::array<QKeyCombination, 2> keys;
    std::uint8_t places;   ///< CommandPlace flags
    bool inCommandMenu;    ///< an entry of the emblem's command menu
    std::string_view does; ///< the sheet of keys' line, and the action's description
};

// clang-format off
/// Every program command, in the command menu's and the sheet's order.
inline constexpr std::array<ProgramCommandEntry, 25> kProgramCommands{{
    {ProgramCommand::Save, "act_Save", "Save", {Qt::CTRL | Qt::Key_S}, OnTreeScreens, false, "SAVE"},
    {ProgramCommand::Undo, "act_Undo", "Undo", {Qt::CTRL | Qt::Key_Z}, OnTreeScreens, false,
     "Undo the last change: a point, UNDO LAST, RESET, a take-back"},
    {ProgramCommand::Redo, "act_Redo", "Redo", {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y},
     OnTreeScreens, false, "Redo what was undone"},
    {ProgramCommand::CopyBuildCode, "mnu_CopyBuildCode", "Copy Build Code", {Qt::CTRL | Qt::Key_C},
     OnTreeScreens, true, "Copy the plan as a build code"},
    {ProgramCommand::PasteBuildCode, "mnu_PasteBuildCode", "Paste Build Code", {Qt::CTRL | Qt::Key_V},
     Everywhere, true, "Open the build code copied"},
    {ProgramCommand::OpenCharacter, "mnu_OpenCharacter", "Open Character...", {Qt::CTRL | Qt::Key_O},
     Everywhere, true, "Open a saved character"},
    {ProgramCommand::CompareWith, "mnu_CompareWith", "Compare With...", {Qt::CTRL | Qt::SHIFT | Qt::Key_O},
     OnTreeScreens, true, "Compare with a saved character; again: stop"},
    {ProgramCommand::CompareWithCode, "mnu_CompareWithCode", "Compare With Build Code",
     {Qt::CTRL | Qt::SHIFT | Qt::Key_V}, OnTreeScreens, true, "Compare with the build code copied"},
    {ProgramCommand::StopComparing, "mnu_StopComparing", "Stop Comparing", {}, OnTreeScreens, true, {}},
    {ProgramCommand::ContinueLast, "act_ContinueLast", "Continue", {Qt::CTRL | Qt::SHIFT | Qt::Key_T},
     OnStartScreen, false, "Continue the last plan left unsaved"},
    {ProgramCommand::Notes, "mnu_Notes", "Notes", {Qt::CTRL | Qt::SHIFT | Qt::Key_N}, OnTreeScreens, true,
     "Notes: the plan's, and the milestone's looked back at"},
    {ProgramCommand::Attributes, "mnu_Attributes", "Attributes", {Qt::CTRL | Qt::SHIFT | Qt::Key_A}, OnTreeScreens,
     true, "Attributes: where the stat points go; life, mana and stamina by level"},
    {ProgramCommand::PreviousMilestone, "act_PreviousMilestone", "Previous Milestone", {Qt::CTRL | Qt::Key_PageUp},
     OnTreeScreens, false, "Look back at the milestone before"},
    {ProgramCommand::NextMilestone, "act_NextMilestone", "Next Milestone", {Qt::CTRL | Qt::Key_PageDown},
     OnTreeScreens, false, "Look back at the milestone after"},
    {ProgramCommand::SetTarget, "act_SetTarget", "Set Target", {Qt::CTRL | Qt::Key_T}, OnTreeScreens, false,
     "Set the target of the skill the keyboard is on (Alt+click raises it, Alt+right-click lowers it)"},
    {ProgramCommand::Targets, "mnu_Targets", "Targets", {Qt::CTRL | Qt::SHIFT | Qt::Key_G}, OnTreeScreens, true,
     "Targets: the points the skills are to end with, first served first"},
    {ProgramCommand::FillToTargets, "mnu_FillToTargets", "Fill to Targets", {Qt::CTRL | Qt::SHIFT | Qt::Key_F},
     OnTreeScreens, true, "Add the level-ups that meet every target, earliest first"},
    {ProgramCommand::Library, "mnu_Library", "Library", {Qt::CTRL | Qt::Key_L}, Everywhere, true,
     "Library: every saved plan at a glance"},
    {ProgramCommand::Summary, "mnu_Summary", "Summary", {Qt::CTRL | Qt::Key_I}, OnTreeScreens, true,
     "Summary: points per tree and skill, quests, reserve, the level order"},
    {ProgramCommand::CopyForForum, "mnu_CopyForForum", "Copy for Forum", {Qt::CTRL | Qt::SHIFT | Qt::Key_C},
     OnTreeScreens, true, "Copy the summary, level order and build code for a forum or a chat"},
    {ProgramCommand::SavePicture, "mnu_SavePicture", "Save Picture...", {}, OnTreeScreens, true, {}},
    {ProgramCommand::CopyPicture, "mnu_CopyPicture", "Copy Picture", {}, OnTreeScreens, true, {}},
    {ProgramCommand::ExportPdf, "mnu_ExportPdf", "Export PDF...", {}, OnTreeScreens, true, {}},
    {ProgramCommand::Print, "mnu_Print", "Print...", {Qt::CTRL | Qt::Key_P}, OnTreeScreens, true,
     "Print the plan on one page: trees, summary, level order"},
    {ProgramCommand::ShowKeys, "act_ShowKeys", "Keys", {QKeyCombination(Qt::Key_F1)}, Everywhere, false,
     "This sheet of keys (Esc closes it)"},
}};
// clang-format on

/// The history list's commands on one entry, made once: the entry's menu,
/// its keys and the sheet of keys' lines all come from this table.
enum class EntryCommand : std::uint8_t { TakeBack, Change, Remove, MoveEarlier, MoveLater, Mark, Unmark };
struct EntryCommandEntry {
    EntryCommand command;
    const char* name;    ///< the menu entry's objectName
    const char* caption; ///< the menu entry's text
    QKeyCombination key;
    const char* keyText; ///< the key as the sheet of keys names it
    const char* does;    ///< the sheet of keys' line
};
// clang-format off
inline constexpr std::array<EntryCommandEntry, 7> kEntryCommands{{
    {EntryCommand::TakeBack, "mnu_TakeBack", "Take Back to Here", QKeyCombination(Qt::Key_Delete), "Delete",
     "Take back every point after the entry"},
    {EntryCommand::Change, "mnu_ChangePoint", "Change This Point...", QKeyCombination(Qt::Key_F2), "F2",
     "Put the entry's point into another skill: click it (Esc cancels)"},
    {EntryCommand::Remove, "mnu_RemovePoint", "Remove This Point", Qt::CTRL | Qt::Key_Delete, "Ctrl+Delete",
     "Remove the entry's point; later ones come a level earlier"},
    {EntryCommand::MoveEarlier, "mnu_MoveEarlier", "Move Earlier", Qt::ALT | Qt::Key_Up, "Alt+Up",
     "Move the point before the entry above (or drag it)"},
    {EntryCommand::MoveLater, "mnu_MoveLater", "Move Later", Qt::ALT | Qt::Key_Down, "Alt+Down",
     "Move the point after the entry below (or drag it)"},
    {EntryCommand::Mark, "mnu_MarkMilestone", "Mark Milestone...", Qt::CTRL | Qt::Key_M, "Ctrl+M",
     "Name the moment after the entry a milestone"},
    {EntryCommand::Unmark, "mnu_RemoveMilestone", "Remove Milestone", Qt::CTRL | Qt::SHIFT | Qt::Key_M, "Ctrl+Shift+M",
     "Take the entry's milestone away"},
}};
// clang-format on

/// The keys of `entry` as key sequences, the first first; none for a command
/// reached from the menu alone.
inline QList<QKeySequence> keysOf(const ProgramCommandEntry& entry) {
    QList<QKeySequence> keys;
    for (const QKeyCombination combination : entry.keys) {
        if (combination != QKeyCombination()) {
            keys.append(QKeySequence(combination));
        }
    }
    return keys;
}

} // namespace skillwright::screens
