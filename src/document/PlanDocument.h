#pragma once

#include <model/Build.h>
#include <model/Goals.h>
#include <model/Plan.h>
#include <model/PlanEdit.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skillwright::document {

/// Where the plan on screen came from.
enum class Origin : std::uint8_t {
    Nothing,   ///< a class chosen on the start screen, empty
    Report,    ///< a report opened or saved: `path` names it
    Code,      ///< a build code or a plan's link
    Journal,   ///< a plan that left the screen unsaved, continued
    Generator, ///< the random generator
};

/// A plan on its way onto the screen: what opening a report, pasting a code,
/// continuing from the journal and generating all hand to the document.
struct OpenedPlan {
    model::Plan plan;
    Origin origin = Origin::Nothing;
    std::string path; ///< the report's, for Origin::Report
    /// False when what it came from held more than the plan, or said
    /// otherwise (a line that could not be read, another level).
    bool whole = true;
};

/// What kind of edit changed the plan.
enum class EditKind : std::uint8_t {
    Point,      ///< a point taken: a click, a quest point, the reserve
    UndoLast,   ///< UNDO LAST: the newest entry went
    TakeBack,   ///< every entry after an earlier one went
    Reset,      ///< RESET: back to level 1
    Fill,       ///< points the generator took
    History,    ///< a point of the past inserted, changed, removed or moved
    Note,       ///< the plan's note or a milestone's, typed
    Milestone,  ///< a milestone marked, renamed or taken away
    Targets,    ///< the targets set, changed, taken away or put in another order
    TargetFill, ///< the level-ups that fill the plan to its targets
    // ---- attributes ----
    Attributes, ///< the attribute plan changed
};

/// What happened to the document, as its listeners hear it once it is over.
struct DocumentChange {
    enum class Kind : std::uint8_t {
        Started, ///< an empty plan of a class took the screen
        Opened,  ///< a plan from outside took the screen
        Edited,  ///< an edit changed the plan (`edit` says which)
        Undone,  ///< an edit was undone
        Redone,  ///< an undone edit was done again
        Saved,   ///< the plan was saved as a report
        Closed,  ///< the plan left the screen
    };
    Kind kind = Kind::Edited;
    EditKind edit = EditKind::Point; ///< Edited: which
    friend bool operator==(const DocumentChange&, const DocumentChange&) = default;
};

class PlanDocument;

/// Follows a PlanDocument: told once per completed change, after the build
/// and every build listener have taken it in.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    virtual void documentChanged(const PlanDocument& document, const DocumentChange& change) = 0;
};

/// The plan on screen and its one owner: the plan's build (derived through the
/// rules), where it came from, its name, whether it has changed since it was
/// last saved or opened, and an undo stack of whole edits. Screens read it and
/// follow it; every change of the plan goes through it.
///
/// The clean marker is the place in the undo stack where the plan was last
/// saved or opened whole; undoing or redoing back to it makes the plan clean
/// again. A plan opened only in part, continued or generated is never clean
/// until it is saved.
class PlanDocument {
public:
    /// The most edits the undo stack keeps; the oldest go first.
    static constexpr std::size_t kUndoLimit = 1000;

    PlanDocument();
    ~PlanDocument();
    PlanDocument(const PlanDocument&) = delete;
    PlanDocument& operator=(const PlanDocument&) = delete;

    // ---- Reading ----
    [[nodiscard]] const model::Build& build() const { return m_build; }
    /// Whether a plan is on screen at all.
    [[nodiscard]] bool isOpen() const { return m_build.character() != nullptr; }
    [[nodiscard]] model::ClassId classId() const;
    /// The plan on screen, under its name.
    [[nodiscard]] model::Plan plan() const;
    /// The name the plan was saved or opened under; empty when it has none.
    [[nodiscard]] const std::string& name() const { return m_name; }
    [[nodiscard]] Origin origin() const { return m_origin; }
    /// The report it was opened from or last saved as (Origin::Report).
    [[nodiscard]] const std::string& path() const { return m_path; }
    /// Whether SAVE wrote the plan since it came onto the screen (so `path` is
    /// the file the player chose, not only one opened).
    [[nodiscard]] bool saved() const { return m_saved; }
    /// The plan opened from outside held more than the rules took: what is on
    /// screen is a part of it.
    [[nodiscard]] bool stoppedShort() const { return m_stoppedShort; }
    /// Whether the plan changed since it was last saved or opened whole.
    [[nodiscard]] bool isModified() const { return m_cleanIndex != m_index; }
    [[nodiscard]] bool canUndo() const { return m_index > 0; }
    [[nodiscard]] bool canRedo() const { return m_index < m_edits.size(); }

    // ---- What is on screen ----
    /// An empty plan of `classId`, clean, with a fresh undo stack; `origin` says
    /// what is to fill it (the generator), if anything.
    void startNew(model::ClassId classId, Origin origin = Origin::Nothing);
    /// `opened` in place of the plan on screen, every entry replayed through
    /// the rules, with a fresh undo stack. Clean when a report or a code
    /// came whole and replayed whole. Returns where the replay stopped, if it did.
    std::optional<model::ReplayStop> open(const OpenedPlan& opened);
    /// The plan leaves the screen.
    void close();
    /// The plan was saved as the report of `name` at `path`: it is clean.
    void markSaved(std::string name, std::string path);

    // ---- Edits: each one step of the undo stack ----
    model::PointResult click(model::TreeId tree, std::int16_t index);
    model::PointResult takeQuestPoint(model::Quest quest, model::SkillRef skill);
    model::PointResult reservePoint();
    model::PointResult useReservedPoint(model::SkillRef skill);
    /// UNDO LAST: the newest entry goes (itself an edit, which undo brings back).
    bool undoLast();
    /// Every entry after the first `keep` goes.
    bool takeBackTo(std::size_t keep);
    /// RESET: back to level 1 with no point.
    void reset();
    /// The plan's note in place of the one before; refused with why when it
    /// cannot be a note (too long, control characters). `typingOn`: typed
    /// right after the last change of a note, and one edit with it.
    std::optional<std::string> setNote(std::string note, bool typingOn = false);
    /// Names the moment right after history entry `entry` a milestone, or
    /// renames the one there; an empty name takes it away.
    std::optional<std::string> markMilestone(std::size_t entry, std::string name);
    /// The note of the milestone on `entry`, as setNote.
    std::optional<std::string> setMilestoneNote(std::size_t entry, std::string note, bool typingOn = false);
    /// `targets` in place of the plan's, by priority; refused with why when
    /// they cannot be a plan's (another class's skill, points out of 1..20).
    std::optional<std::string> setTargets(std::vector<model::Target> targets);
    /// Level-ups after the last entry until every target is met, as one
    /// edit; refused, it changes nothing. Returns what it came to.
    model::TargetFill fillToTargets();
    /// `skill` and its missing prerequisites at the next level-ups, as one
    /// edit; refused, it changes nothing.
    model::PathTaking takePath(model::SkillRef skill);
    [[nodiscard]] const std::vector<model::Target>& targets() const { return m_targets; }
    /// The plan's note and its milestones, by entry.
    [[nodiscard]] const std::string& note() const { return m_note; }
    [[nodiscard]] const std::vector<model::Milestone>& milestones() const { return m_milestones; }
    // ---- attributes ----
    /// The attribute plan in place of the one before; refused with why (and
    /// nothing changed) when no character of the class can have it.
    std::optional<std::string> setAttributes(model::AttributePlan attributes);
    [[nodiscard]] const model::AttributePlan& attributes() const { return m_attributes; }

    /// A change anywhere in the history, taken only when the rules take the
    /// whole edited plan; refused, it changes nothing. Returns what it came to.
    model::EditOutcome editHistory(const model::PlanEdit& edit);
    /// Runs `change` on the build as one edit of `kind` (the generator's steps).
    template <typename F> void edit(EditKind kind, F&& change) {
        Recording recording(*this, kind);
        change(m_build);
    }

    /// Undoes the newest edit; false when there is none.
    bool undo();
    /// Does the newest undone edit again; false when there is none.
    bool redo();

    /// While a group lives, the edits made are one step of the undo stack
    /// (a generation is undone whole). Undo, redo and a new plan end it early.
    class Group {
    public:
        explicit Group(PlanDocument& document) : m_document(document) { ++document.m_groups; }
        ~Group();
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

    private:
        PlanDocument& m_document;
    };

    void addListener(DocumentListener& listener);
    void removeListener(DocumentListener& listener);

private:
    struct Edit {
        model::Plan before; ///< the plan before, without the name
        model::Plan after;
        EditKind kind = EditKind::Point;
    };
    /// Records what one edit did to the plan, when it ends.
    class Recording {
    public:
        Recording(PlanDocument& document, EditKind kind);
        ~Recording();
        Recording(const Recording&) = delete;
        Recording& operator=(const Recording&) = delete;

    private:
        PlanDocument& m_document;
        EditKind m_kind;
        model::Plan m_before;
    };

    void record(model::Plan before, EditKind kind);
    /// `entries`, which the rules made after the plan's last entry, as one edit of `kind`.
    void append(const std::vector<model::HistoryEntry>& entries, EditKind kind);
    void restore(const model::Plan& plan, DocumentChange::Kind kind);
    /// Where the plan on screen now comes from, not saved here yet.
    void takeSource(std::string name, Origin origin, std::string path, bool stoppedShort);
    void freshStack(bool clean);
    void tell(DocumentChange change);

    model::Build m_build;
    std::string m_name;
    std::string m_note;
    std::vector<model::Milestone> m_milestones;
    std::vector<model::Target> m_targets;
    model::AttributePlan m_attributes;
    bool m_typing = false; ///< the note being changed goes on from the last change
    Origin m_origin = Origin::Nothing;
    std::string m_path;
    bool m_stoppedShort = false;
    bool m_saved = false;
    std::vector<Edit> m_edits;
    std::size_t m_index = 0; ///< edits done; those after it can be redone
    std::optional<std::size_t> m_cleanIndex = 0;
    int m_groups = 0;
    bool m_groupOpen = false; ///< the newest edit takes in the group's next ones
    int m_recording = 0;
    int m_telling = 0;
    std::vector<DocumentListener*> m_listeners;
};

} // namespace skillwright::document
