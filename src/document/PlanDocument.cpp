#include "PlanDocument.h"

#include <algorithm>
#include <utility>

namespace skillwright::document {

PlanDocument::PlanDocument() = default;

PlanDocument::~PlanDocument() = default;

model::ClassId PlanDocument::classId() const {
    return isOpen() ? m_build.character()->classId() : model::ClassId::Necromancer;
}

model::Plan PlanDocument::plan() const {
    model::Plan plan = m_build.plan();
    plan.name = m_name;
    plan.note = m_note;
    plan.milestones = m_milestones;
    plan.targets = m_targets;
    plan.attributes = m_attributes;
    return plan;
}

void PlanDocument::freshStack(bool clean) {
    m_edits.clear();
    m_index = 0;
    m_cleanIndex = clean ? std::optional<std::size_t>(0) : std::nullopt;
    m_groupOpen = false;
}

void PlanDocument::takeSource(std::string name, Origin origin, std::string path, bool stoppedShort) {
    m_name = std::move(name);
    m_origin = origin;
    m_path = std::move(path);
    m_stoppedShort = stoppedShort;
    m_saved = false;
    m_note.clear();
    m_milestones.clear();
    m_targets.clear();
    m_attributes = {};
}

void PlanDocument::startNew(model::ClassId classId, Origin origin) {
    m_build.startCharacter(classId);
    takeSource({}, origin, {}, false);
    freshStack(true);
    tell({DocumentChange::Kind::Started});
}

std::optional<model::ReplayStop> PlanDocument::open(const OpenedPlan& opened) {
    const std::optional<model::ReplayStop> stop = m_build.replay(opened.plan);
    takeSource(opened.plan.name, opened.origin, opened.origin == Origin::Report ? opened.path : std::string(),
               stop.has_value() || !opened.whole);
    // The note and the milestones of the points the rules took.
    m_note = opened.plan.note;
    m_milestones = opened.plan.milestones;
    m_targets = opened.plan.targets;
    const std::size_t entries = m_build.character()->history().size();
    std::erase_if(m_milestones, [entries](const model::Milestone& m) { return m.entry >= entries; });
    // An attribute plan the class cannot have is left out, as a part not taken.
    const bool attributesTaken = !model::attributePlanProblem(opened.plan.attributes, classId());
    m_attributes = attributesTaken ? opened.plan.attributes : model::AttributePlan{};
    m_stoppedShort = m_stoppedShort || !attributesTaken;
    // Only what a report or a code holds whole is as good as saved.
    freshStack(!m_stoppedShort && (opened.origin == Origin::Report || opened.origin == Origin::Code));
    tell({DocumentChange::Kind::Opened});
    return stop;
}

void PlanDocument::close() {
    if (!isOpen()) {
        return;
    }
    m_build.endCharacter();
    takeSource({}, Origin::Nothing, {}, false);
    freshStack(true);
    tell({DocumentChange::Kind::Closed});
}

void PlanDocument::markSaved(std::string name, std::string path) {
    m_name = std::move(name);
    m_build.setCharacterName(m_name);
    m_origin = Origin::Report;
    m_path = std::move(path);
    m_stoppedShort = false;
    m_saved = true;
    m_cleanIndex = m_index;
    m_groupOpen = false; // what follows is a change of the saved plan
    tell({DocumentChange::Kind::Saved});
}

// ------------------------------------------------------------------ edits

PlanDocument::Recording::Recording(PlanDocument& document, EditKind kind)
    : m_document(document), m_kind(kind) {
    if (m_document.m_recording++ == 0) {
        m_before = m_document.plan();
    }
}

PlanDocument::Recording::~Recording() {
    if (--m_document.m_recording != 0 || !m_document.isOpen()) {
        return;
    }
    // A milestone goes with its entry.
    const std::size_t entries = m_document.m_build.character()->history().size();
    std::erase_if(m_document.m_milestones,
                  [entries](const model::Milestone& m) { return m.entry >= entries; });
    if (m_document.m_build.character()->history() != m_before.history || m_document.m_note != m_before.note ||
        m_document.m_milestones != m_before.milestones || m_document.m_targets != m_before.targets ||
        m_document.m_attributes != m_before.attributes) {
        m_document.record(std::move(m_before), m_kind);
    }
}

void PlanDocument::record(model::Plan before, EditKind kind) {
    model::Plan after = plan();
    before.name.clear();
    after.name.clear();
    // Typing goes on in the same note: one edit until a pause.
    const bool typingOn = kind == EditKind::Note && m_typing && m_index == m_edits.size() && m_index > 0 &&
                          m_edits.back().kind == EditKind::Note;
    if ((m_groups > 0 && m_groupOpen && m_index == m_edits.size() && m_index > 0) || typingOn) {
        m_edits.back().after = std::move(after);
    } else {
        m_edits.resize(m_index); // a new edit makes a new future
        if (m_cleanIndex && *m_cleanIndex > m_index) {
            m_cleanIndex.reset(); // the saved plan was in that future
        }
        m_edits.push_back({std::move(before), std::move(after), kind});
        ++m_index;
        if (m_edits.size() > kUndoLimit) {
            m_edits.erase(m_edits.begin());
            --m_index;
            m_cleanIndex =
                m_cleanIndex && *m_cleanIndex > 0 ? std::optional(*m_cleanIndex - 1) : std::nullopt;
        }
        m_groupOpen = m_groups > 0;
    }
    tell({DocumentChange::Kind::Edited, kind});
}

model::PointResult PlanDocument::click(model::TreeId tree, std::int16_t index) {
    Recording recording(*this, EditKind::Point);
    return m_build.click(tree, index);
}

model::PointResult PlanDocument::takeQuestPoint(model::Quest quest, model::SkillRef skill) {
    Recording recording(*this, EditKind::Point);
    return m_build.takeQuestPoint(quest, skill);
}

model::PointResult PlanDocument::reservePoint() {
    Recording recording(*this, EditKind::Point);
    return m_build.reservePoint();
}

model::PointResult PlanDocument::useReservedPoint(model::SkillRef skill) {
    Recording recording(*this, EditKind::Point);
    return m_build.useReservedPoint(skill);
}

bool PlanDocument::undoLast() {
    Recording recording(*this, EditKind::UndoLast);
    return m_build.undoLast();
}

bool PlanDocument::takeBackTo(std::size_t keep) {
    Recording recording(*this, EditKind::TakeBack);
    return m_build.takeBackTo(keep);
}

void PlanDocument::reset() {
    Recording recording(*this, EditKind::Reset);
    m_build.reset();
}

model::EditOutcome PlanDocument::editHistory(const model::PlanEdit& edit) {
    if (!isOpen()) {
        return {};
    }
    model::EditOutcome outcome = model::editPlan(m_build.plan(), edit);
    if (outcome.accepted()) {
        Recording recording(*this, EditKind::History);
        model::followEntries(m_milestones, outcome.origins);
        m_build.restore(*outcome.plan);
    }
    return outcome;
}

std::optional<std::string> PlanDocument::setTargets(std::vector<model::Target> targets) {
    if (!isOpen()) {
        return std::string("There is no plan on screen.");
    }
    if (auto why = model::targetsProblem(targets, classId())) {
        return why;
    }
    Recording recording(*this, EditKind::Targets);
    m_targets = std::move(targets);
    return std::nullopt;
}

void PlanDocument::append(const std::vector<model::HistoryEntry>& entries, EditKind kind) {
    // Entries the rules made from the plan's end: taken as one edit.
    Recording recording(*this, kind);
    model::Plan longer = m_build.plan();
    longer.history.insert(longer.history.end(), entries.begin(), entries.end());
    m_build.restore(longer);
}

model::TargetFill PlanDocument::fillToTargets() {
    if (!isOpen()) {
        return {};
    }
    model::TargetFill fill = model::fillToTargets(plan());
    if (fill.accepted()) {
        append(fill.added, EditKind::TargetFill);
    }
    return fill;
}

model::PathTaking PlanDocument::takePath(model::SkillRef skill) {
    if (!isOpen()) {
        return {};
    }
    model::PathTaking path = model::takePath(m_build.state(), classId(), skill);
    if (!path.added.empty()) {
        append(path.added, EditKind::Point);
    }
    return path;
}

std::optional<std::string> PlanDocument::setNote(std::string note, bool typingOn) {
    if (auto why = model::noteProblem(note)) {
        return why;
    }
    if (isOpen() && note != m_note) {
        m_typing = typingOn;
        Recording recording(*this, EditKind::Note);
        m_note = std::move(note);
    }
    return std::nullopt;
}

std::optional<std::string> PlanDocument::markMilestone(std::size_t entry, std::string name) {
    if (!isOpen() || entry >= m_build.character()->history().size()) {
        return std::string("There is no such point to mark.");
    }
    const auto place = std::lower_bound(m_milestones.begin(), m_milestones.end(), entry,
                                        [](const model::Milestone& m, std::size_t e) { return m.entry < e; });
    const bool marked = place != m_milestones.end() && place->entry == entry;
    if (name.empty()) {
        if (marked) {
            Recording recording(*this, EditKind::Milestone);
            m_milestones.erase(place);
        }
        return std::nullopt;
    }
    if (auto why = model::milestoneNameProblem(name)) {
        return why;
    }
    Recording recording(*this, EditKind::Milestone);
    if (marked) {
        place->name = std::move(name);
    } else {
        m_milestones.insert(place, model::Milestone{entry, std::move(name), {}});
    }
    return std::nullopt;
}

std::optional<std::string> PlanDocument::setMilestoneNote(std::size_t entry, std::string note,
                                                          bool typingOn) {
    if (auto why = model::noteProblem(note)) {
        return why;
    }
    const auto it = std::find_if(m_milestones.begin(), m_milestones.end(),
                                 [entry](const model::Milestone& m) { return m.entry == entry; });
    if (it == m_milestones.end()) {
        return std::string("There is no milestone on that point.");
    }
    if (it->note != note) {
        m_typing = typingOn;
        Recording recording(*this, EditKind::Note);
        it->note = std::move(note);
    }
    return std::nullopt;
}

std::optional<std::string> PlanDocument::setAttributes(model::AttributePlan attributes) {
    if (!isOpen()) {
        return std::string("There is no plan on screen.");
    }
    if (auto why = model::attributePlanProblem(attributes, classId())) {
        return why;
    }
    Recording recording(*this, EditKind::Attributes);
    m_attributes = std::move(attributes);
    return std::nullopt;
}

PlanDocument::Group::~Group() {
    if (--m_document.m_groups == 0) {
        m_document.m_groupOpen = false;
    }
}

// ------------------------------------------------------------ undo, redo

void PlanDocument::restore(const model::Plan& plan, DocumentChange::Kind kind) {
    m_groupOpen = false;
    model::Plan named = plan;
    named.name = m_name;
    m_note = plan.note;
    m_milestones = plan.milestones;
    m_targets = plan.targets;
    m_attributes = plan.attributes;
    m_build.restore(named);
    tell({kind});
}

bool PlanDocument::undo() {
    if (!canUndo() || !isOpen()) {
        return false;
    }
    --m_index;
    restore(m_edits[m_index].before, DocumentChange::Kind::Undone);
    return true;
}

bool PlanDocument::redo() {
    if (!canRedo() || !isOpen()) {
        return false;
    }
    ++m_index;
    restore(m_edits[m_index - 1].after, DocumentChange::Kind::Redone);
    return true;
}

// -------------------------------------------------------------- listeners

void PlanDocument::addListener(DocumentListener& listener) {
    if (std::find(m_listeners.begin(), m_listeners.end(), &listener) == m_listeners.end()) {
        m_listeners.push_back(&listener);
    }
}

void PlanDocument::removeListener(DocumentListener& listener) {
    if (m_telling > 0) {
        std::replace(m_listeners.begin(), m_listeners.end(), &listener,
                     static_cast<DocumentListener*>(nullptr));
    } else {
        std::erase(m_listeners, &listener);
    }
}

void PlanDocument::tell(DocumentChange change) {
    // A listener may come or go while the others are told; a new one hears
    // from the next change on.
    ++m_telling;
    const std::size_t count = m_listeners.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (DocumentListener* listener = m_listeners[i]) {
            listener->documentChanged(*this, change);
        }
    }
    if (--m_telling == 0) {
        std::erase(m_listeners, nullptr);
    }
}

} // namespace skillwright::document
