// The plan on screen: its undo stack of whole edits, its clean marker and
// where it came from, against what a player expects of an editor.
#include <gtest/gtest.h>

#include <PlanMaker.h>
#include <document/PlanDocument.h>
#include <optional>
#include <presentation/Presentation.h>
#include <random>
#include <string>
#include <vector>

namespace skillwright::document {
namespace {

using model::ClassId;
using model::Plan;
using model::Quest;
using model::TreeId;
using skillwright::testing::Take;

constexpr TreeId kBone = TreeId::NecromancerPoisonBone;

struct Heard : DocumentListener {
    std::vector<DocumentChange> changes;
    void documentChanged(const PlanDocument& /*document*/, const DocumentChange& change) override {
        changes.push_back(change);
    }
};

class PlanDocumentTest : public ::testing::Test {
protected:
    PlanDocument document;
    presentation::SkillMenuTexts menuTexts{document.build()};
    Heard heard;

    PlanDocumentTest() { document.addListener(heard); }
    ~PlanDocumentTest() override { document.removeListener(heard); }

    /// A click on skill `index` of the left tree of the class on screen.
    void click(int index) {
        document.click(model::classInfo(document.classId()).trees[0], static_cast<std::int16_t>(index));
    }
    [[nodiscard]] std::size_t entries() const { return document.build().character()->history().size(); }
    /// A Necromancer at level `level` by clicks on Teeth, saved or opened from nowhere.
    static Plan teethTo(int level) {
        model::Build build;
        build.startCharacter(ClassId::Necromancer);
        while (build.characterLevel() < level) {
            build.click(kBone, 0);
        }
        Plan plan = build.plan();
        plan.name = "Teeth";
        return plan;
    }
};

// Every kind of entry goes with UNDO LAST and comes back with undo, one
// edit at a time, the quest counters and the menu's captions with it.
TEST_F(PlanDocumentTest, undoBringsBackEveryKindOfEntryThatUndoLastTookBack) {
    document.startNew(ClassId::Necromancer);
    while (document.build().characterLevel() < 41) {
        document.reservePoint();
    }
    document.click(kBone, 0);
    document.reservePoint();
    document.useReservedPoint({kBone, 0});
    document.takeQuestPoint(Quest::DenOfEvil, {kBone, 1});
    document.takeQuestPoint(Quest::BookOfSkill, {kBone, 1});
    document.takeQuestPoint(Quest::Izual, {kBone, 0});
    const Plan full = document.plan();
    for (int n = 0; n < 6; ++n) {
        ASSERT_TRUE(document.undoLast());
    }
    ASSERT_EQ(entries(), 40U);
    EXPECT_EQ(menuTexts.caption(Quest::Izual), "&Death of Izual (Normal)");
    for (int n = 0; n < 6; ++n) {
        ASSERT_TRUE(document.undo());
    }
    EXPECT_EQ(document.plan(), full);
    EXPECT_EQ(document.build().state(), model::replayPlan(full).state);
    EXPECT_EQ(menuTexts.caption(Quest::DenOfEvil), "&Den Of Evil (Nightmare)");
}

// Random edits of every kind; undoing all of them passes back through every
// plan they made, redoing all passes forward again, and each plan shown is
// the rules' own replay of it.
TEST_F(PlanDocumentTest, undoAndRedoWalkThroughEveryPlanTheEditsMade) {
    std::mt19937 random(20261207);
    const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        document.startNew(model::classes()[static_cast<std::size_t>(round % 5)].id);
        std::vector<Plan> passed{document.plan()};
        for (int step = 0; step < 120; ++step) {
            const std::size_t before = entries();
            switch (pick(20)) {
            case 0:
                document.undoLast();
                break;
            case 1:
                document.takeBackTo(static_cast<std::size_t>(pick(static_cast<int>(before) + 1)));
                break;
            case 2:
                document.reset();
                break;
            case 3: {
                const PlanDocument::Group group(document);
                skillwright::testing::takeAnywhere(document, Take::Click);
                skillwright::testing::takeAnywhere(document, Take::Reserve);
                break;
            }
            default: {
                const auto how = static_cast<Take>(pick(6));
                skillwright::testing::take(document, how, pick(30));
            }
            }
            if (document.plan() != passed.back()) {
                passed.push_back(document.plan());
            }
            ASSERT_FALSE(document.canRedo());
        }
        const auto expectShown = [this](const Plan& plan) {
            ASSERT_EQ(document.plan(), plan);
            ASSERT_EQ(document.build().state(), model::replayPlan(plan).state);
        };
        for (std::size_t i = passed.size() - 1; i > 0; --i) {
            ASSERT_TRUE(document.undo());
            expectShown(passed[i - 1]);
        }
        EXPECT_FALSE(document.undo());
        for (std::size_t i = 1; i < passed.size(); ++i) {
            ASSERT_TRUE(document.redo());
            expectShown(passed[i]);
        }
        EXPECT_FALSE(document.redo());
    }
}

// Clean, origin, name and "stopped short" after every way a plan comes
// onto the screen and every way it is edited, undone, redone and saved.
TEST_F(PlanDocumentTest, theCleanMarkerFollowsOpeningSavingAndEveryEdit) {
    Plan broken = teethTo(5);
    broken.history[2].skillPoints = 9; // recorded otherwise than the rules take it
    // Each opened, or a class chosen (no plan); then its name, its path, and
    // whether it is changed, opened short and how long.
    const struct {
        std::optional<OpenedPlan> opened;
        bool modified;
        const char* name;
        const char* path;
        bool stoppedShort;
        std::size_t entries;
    } cases[] = {
        {std::nullopt, false, "", "", false, 0},
        {OpenedPlan{teethTo(5), Origin::Report, "/r/Teeth.txt"}, false, "Teeth", "/r/Teeth.txt", false, 4},
        {OpenedPlan{broken, Origin::Report, "/r/T.txt"}, true, "Teeth", "/r/T.txt", true, 2},
        {OpenedPlan{teethTo(5), Origin::Report, "/r/T.txt", false}, true, "Teeth", "/r/T.txt", true, 4},
        {OpenedPlan{teethTo(3), Origin::Code, "/ignored"}, false, "Teeth", "", false, 2},
        {OpenedPlan{teethTo(4), Origin::Journal, {}}, true, "Teeth", "", false, 3},
    };
    for (const auto& c : cases) {
        const Origin origin = c.opened ? c.opened->origin : Origin::Nothing;
        SCOPED_TRACE(static_cast<int>(origin));
        if (c.opened) {
            document.open(*c.opened);
        } else {
            document.startNew(ClassId::Paladin);
        }
        EXPECT_EQ(document.isModified(), c.modified);
        EXPECT_EQ(document.origin(), origin);
        EXPECT_EQ(document.name(), c.name);
        EXPECT_EQ(document.path(), c.path);
        EXPECT_EQ(document.stoppedShort(), c.stoppedShort);
        EXPECT_EQ(entries(), c.entries);
        EXPECT_FALSE(document.canUndo());

        click(0);
        EXPECT_TRUE(document.isModified());
        document.undo();
        EXPECT_EQ(document.isModified(), c.modified) << "undone back to where it came in";
        document.redo();
        document.markSaved("Saved", "/r/Saved.txt");
        EXPECT_FALSE(document.isModified());
        EXPECT_EQ(document.origin(), Origin::Report);
        EXPECT_EQ(document.plan().name, "Saved");
        EXPECT_FALSE(document.stoppedShort());
        document.undo();
        EXPECT_TRUE(document.isModified());
        document.redo();
        EXPECT_FALSE(document.isModified());
        // Undone past the save, a new edit leaves the saved plan out of reach.
        document.undo();
        click(0);
        document.undo();
        document.undo();
        while (document.redo()) {
            EXPECT_TRUE(document.isModified());
        }
    }
    document.close();
    EXPECT_FALSE(document.isOpen());
    EXPECT_FALSE(document.canUndo());
    EXPECT_EQ(document.name(), "");
}

TEST_F(PlanDocumentTest, resetAndTakingBackAreEditsThatUndoBringsBack) {
    document.open({teethTo(8), Origin::Report, "/r/Teeth.txt"});
    const Plan opened = document.plan();
    document.reset();
    EXPECT_EQ(entries(), 0U);
    EXPECT_TRUE(document.isModified());
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(document.plan(), opened);
    EXPECT_FALSE(document.isModified());
    ASSERT_TRUE(document.takeBackTo(2));
    EXPECT_EQ(entries(), 2U);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(document.plan(), opened);
    // Neither a refused point nor an empty RESET is an edit.
    document.startNew(ClassId::Necromancer);
    click(5); // a tier not open
    document.reset();
    EXPECT_FALSE(document.canUndo());
    EXPECT_FALSE(document.isModified());
}

TEST_F(PlanDocumentTest, aGroupIsOneEditUntilUndoEndsIt) {
    document.startNew(ClassId::Necromancer, Origin::Generator);
    {
        const PlanDocument::Group group(document);
        click(0);
        click(0);
        click(1);
        ASSERT_TRUE(document.undo());
        EXPECT_EQ(entries(), 0U);
        EXPECT_FALSE(document.isModified());
        document.redo();
        click(1); // after an undo, a new step
    }
    EXPECT_EQ(entries(), 4U);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(entries(), 3U);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(entries(), 0U);
    EXPECT_EQ(document.origin(), Origin::Generator);
}

TEST_F(PlanDocumentTest, listenersHearEachChangeOnceWithWhatItWas) {
    using Kind = DocumentChange::Kind;
    document.startNew(ClassId::Necromancer);
    click(0);
    click(5); // refused: nothing heard
    document.undoLast();
    document.reset();
    document.undo();
    document.redo();
    document.markSaved("A", "/a.txt");
    document.close();
    // RESET of an empty plan changes nothing.
    const std::vector<DocumentChange> expected{
        {Kind::Started},
        {Kind::Edited, EditKind::Point},
        {Kind::Edited, EditKind::UndoLast},
        {Kind::Undone},
        {Kind::Redone},
        {Kind::Saved},
        {Kind::Closed},
    };
    EXPECT_EQ(heard.changes, expected);
}

} // namespace
} // namespace skillwright::document

namespace skillwright::document {
namespace {

// A milestone goes with its entry through every edit of the past, and goes
// with it; notes and milestones are edits undone whole, typing one edit
// until a pause.
TEST_F(PlanDocumentTest, milestonesFollowTheirEntriesAndNotesAreEditsUndoneWhole) {
    document.startNew(ClassId::Necromancer);
    for (int n = 0; n < 4; ++n) {
        click(n % 2); // Teeth, Bone Armor, Teeth, Bone Armor
    }
    ASSERT_EQ(document.markMilestone(1, "Act 1"), std::nullopt);
    ASSERT_EQ(document.markMilestone(3, "Act 2"), std::nullopt);
    EXPECT_EQ(document
                  .markMilestone(2, "\xE2\x80\xAE"
                                    "evil")
                  .has_value(),
              true);
    EXPECT_EQ(document.markMilestone(9, "Nowhere").has_value(), true);
    const auto entriesMarked = [this] {
        std::vector<std::size_t> at;
        for (const model::Milestone& m : document.milestones()) {
            at.push_back(m.entry);
        }
        return at;
    };
    const struct {
        const char* edit;
        model::PlanEdit change;
        std::vector<std::size_t> marked;
    } cases[] = {
        {"a point inserted before", model::PlanEdit::insert(0, {kBone, 0}), {2, 4}},
        {"its entry moved", model::PlanEdit::move(1, 0), {0, 3}},
        {"its entry removed", model::PlanEdit::remove(1), {2}},
        {"one between removed", model::PlanEdit::remove(2), {1, 2}},
    };
    for (const auto& [edit, change, marked] : cases) {
        SCOPED_TRACE(edit);
        const Plan before = document.plan();
        ASSERT_TRUE(document.editHistory(change).accepted());
        EXPECT_EQ(entriesMarked(), marked);
        document.undo();
        EXPECT_EQ(document.plan(), before);
    }
    document.undoLast();
    EXPECT_EQ(entriesMarked(), std::vector<std::size_t>{1}) << "the newest entry went with its milestone";
    document.undo();
    EXPECT_EQ(entriesMarked(), (std::vector<std::size_t>{1, 3}));

    // Typing: a run is one edit, a pause starts another; a note too long changes nothing.
    const std::size_t edits = heard.changes.size();
    document.setNote("W");
    document.setNote("Wh", true);
    document.setNote("Why", true);
    document.setNote("Why?");
    EXPECT_TRUE(document.setNote(std::string(model::kMaxNoteBytes + 1, 'x')).has_value());
    EXPECT_EQ(document.note(), "Why?");
    EXPECT_EQ(heard.changes.size(), edits + 4);
    document.undo();
    EXPECT_EQ(document.note(), "Why");
    document.undo();
    EXPECT_EQ(document.note(), "");
    EXPECT_EQ(entriesMarked(), (std::vector<std::size_t>{1, 3}));
    document.redo();
    EXPECT_EQ(document.note(), "Why") << "redone, a note comes back";
}

// Targets are part of the plan: set, filled to and edited around as whole
// edits, and kept by every edit of the past.
TEST_F(PlanDocumentTest, targetsAndTheirFillAreEditsUndoneWhole) {
    document.startNew(ClassId::Necromancer);
    const std::vector<model::Target> targets{{{kBone, 9}, 20}, {{kBone, 0}, 5}}; // Bone Spirit, Teeth
    EXPECT_TRUE(document.setTargets({{{TreeId::SorceressFire, 0}, 1}}).has_value())
        << "another class's skill";
    ASSERT_EQ(document.setTargets(targets), std::nullopt);
    const model::TargetFill fill = document.fillToTargets();
    ASSERT_TRUE(fill.accepted()) << fill.why;
    EXPECT_EQ(fill.metAt, (std::vector<std::int16_t>{48, 5}))
        << "Teeth takes the points Bone Spirit can spare";
    EXPECT_EQ(document.build().characterLevel(), 48);
    ASSERT_TRUE(document.editHistory(model::PlanEdit::remove(entries() - 1)).accepted());
    EXPECT_EQ(document.targets(), targets) << "an edit of the past keeps the targets";
    document.undo();
    document.undo();
    EXPECT_EQ(entries(), 0u) << "the fill is undone whole";
    EXPECT_EQ(document.targets(), targets);
    document.undo();
    EXPECT_TRUE(document.targets().empty());
    document.redo();
    EXPECT_EQ(document.targets(), targets);
    EXPECT_EQ(document.takePath({kBone, 3}).why, "Corpse Explosion waits for level 6.");
    EXPECT_EQ(document.build().characterLevel(), 1) << "a path refused takes nothing";
}

} // namespace
} // namespace skillwright::document

namespace skillwright::document {
namespace {

// The attribute plan is an edit of its own: refused whole when no character
// of the class can have it, undone and redone whole, and kept through every
// edit of the points, the past's included.
TEST_F(PlanDocumentTest, theAttributePlanIsAnEditKeptThroughEveryEditOfThePoints) {
    document.open({teethTo(10), Origin::Report, "/r/Teeth.txt"});
    model::AttributePlan strength{{{model::Attribute::Strength, 40}}, model::Attribute::Energy, {8, 0, 0}};
    const std::size_t heardBefore = heard.changes.size();
    EXPECT_EQ(document.setAttributes({{{model::Attribute::Strength, 10}}}),
              "Strength to 10 is below the Necromancer's starting Strength of 15.");
    EXPECT_FALSE(document.setAttributes({{{model::Attribute::Dexterity, 10000}}}) == std::nullopt);
    EXPECT_EQ(heard.changes.size(), heardBefore);
    EXPECT_FALSE(document.canUndo());

    ASSERT_EQ(document.setAttributes(strength), std::nullopt);
    EXPECT_EQ(heard.changes.back(), (DocumentChange{DocumentChange::Kind::Edited, EditKind::Attributes}));
    EXPECT_TRUE(document.isModified());
    click(0);
    for (const model::PlanEdit& edit :
         {model::PlanEdit::insert(1, {kBone, 1}), model::PlanEdit::change(2, {kBone, 1}),
          model::PlanEdit::move(3, 1), model::PlanEdit::remove(2)}) {
        ASSERT_TRUE(document.editHistory(edit).accepted());
    }
    document.undoLast();
    document.reset();
    EXPECT_EQ(document.plan().attributes, strength);
    for (int n = 0; n < 7; ++n) {
        document.undo();
    }
    EXPECT_EQ(document.plan().attributes, strength);
    document.undo();
    EXPECT_TRUE(document.attributes().empty());
    EXPECT_FALSE(document.isModified());
    document.redo();
    EXPECT_EQ(document.attributes(), strength) << "redone with what the edit made";

    // A plan from outside with an attribute plan its class cannot have opens without it, in part.
    Plan hostile = teethTo(3);
    hostile.attributes.targets = {{model::Attribute::Vitality, -5}};
    document.open({hostile, Origin::Report, "/r/Hostile.txt"});
    EXPECT_TRUE(document.attributes().empty());
    EXPECT_TRUE(document.stoppedShort());
    EXPECT_EQ(entries(), 2u);
}

} // namespace
} // namespace skillwright::document
