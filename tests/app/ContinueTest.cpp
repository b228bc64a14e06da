// No plan is lost: whichever way a plan leaves the screen unsaved, the start
// screen's continue button brings the same history back, through the real
// program with its journal in a folder of the test's own.
#include <journal/JournalText.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include <ProgramSession.h>
#include <functional>
#include <vector>

using namespace skillwright;
namespace fs = std::filesystem;

namespace {

class ContinueTest : public ::testing::Test, public skillwright::testing::ProgramSession {
public: // the routes below act on the fixture
    ContinueTest() {
        toolkit.journalFolder = toolkit.folder + "/state/skillwright";
        restart();
    }
    [[nodiscard]] QPushButton* continueButton() { return start().findChild<QPushButton*>("cmd_Continue"); }

    /// Necromancer, level 5: two points, one undone, a point reserved and two clicks.
    void planNecromancer() {
        ASSERT_NE(choose("lbl_Necromancer"), nullptr);
        click(tree(), "img_NecroBonePoison(0)");
        click(tree(), "img_NecroBonePoison(0)");
        click(tree(), "lbl_UndoLast");
        program->menu().setPopper(
            [this](QMenu&, QPoint) { return program->menu().findChild<QAction*>("mnu_ReservePoint"); });
        click(tree(), "img_NecroBonePoison(1)", Qt::RightButton);
        click(tree(), "img_NecroSummon(0)");
        click(tree(), "img_NecroSummon(0)");
        ASSERT_EQ(label("lbl_CharLevel"), "Level 5");
        remember();
    }
    /// The dice's generator, its fill of a Sorceress up to level 30 under way
    /// and the start screen in view, until `leave` runs at level 12.
    void fillSorceressUntil(const std::function<void()>& leave) {
        toolkit.randomSource = [] { return 0.01; }; // Fire Bolt, level by level
        bool left = false;
        toolkit.onProcessEvents = [&] {
            if (!left && build().levelsGained() == 11) {
                left = true;
                remember();
                leave();
            }
        };
        generate(true, "opt_Sorceress", "30");
        toolkit.onProcessEvents = nullptr;
        ASSERT_TRUE(left);
    }
    void remember() {
        ASSERT_NE(build().character(), nullptr);
        planClass = build().character()->classId();
        planHistory = build().character()->history();
    }
    void changeClass() {
        click(tree(), "lbl_ChangeClass");
        letDeletionsRun();
    }
    [[nodiscard]] std::vector<screens::ContinueChoice> offered() {
        std::vector<screens::ContinueChoice> choices;
        start().setMenuPopper([&](QMenu& menu, QPoint) -> QAction* {
            for (QAction* entry : menu.actions()) {
                choices.push_back({entry->data().toULongLong(), entry->text().toStdString()});
            }
            return nullptr;
        });
        click(&start(), "cmd_Continue", Qt::RightButton);
        return choices;
    }
    /// The journal's files whose names start with `prefix`.
    [[nodiscard]] std::vector<fs::path> journals(const std::string& prefix) const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(toolkit.journalFolder)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(prefix) && name.ends_with(".journal")) {
                found.push_back(entry.path());
            }
        }
        return found;
    }

    model::ClassId planClass{};
    std::vector<model::HistoryEntry> planHistory;
};

TEST_F(ContinueTest, everyWayAPlanLeavesTheScreenThenContinueGivesTheSameHistory) {
    struct Route {
        const char* what;
        std::function<void(ContinueTest&)> planAndLeave;
    };
    const std::vector<Route> routes{
        {"EXIT",
         [](ContinueTest& t) {
             t.planNecromancer();
             click(t.tree(), "lbl_Close");
         }},
        {"the window closed",
         [](ContinueTest& t) {
             t.planNecromancer();
             t.tree()->close();
             t.toolkit.endProgram(); // its last window gone, the program ends
         }},
        {"RESET, then CHANGE CLASS with nothing planned",
         [](ContinueTest& t) {
             t.planNecromancer();
             click(t.tree(), "lbl_Reset");
             click(t.tree(), "lbl_ChangeClass");
         }},
        {"another character opened",
         [](ContinueTest& t) {
             t.planNecromancer();
             const fs::path bash =
                 t.write("Bash.txt", "Bash\r\nClass: Barbarian\r\nLevel: 2\r\n"
                                     "---------------------------------------------\r\n\r\n"
                                     "Clvl 1 Slvl 0: Starting Level\r\nClvl 2 Slvl 1: Bash\r\n\r\n"
                                     "---------------------------------------------\r\n");
             t.toolkit.answers = {toolkit::Answer::Yes}; // replace the unsaved points, which are kept
             ASSERT_TRUE(t.program->openCharacter(bash.string()));
             EXPECT_EQ(
                 t.toolkit.messages.at(0).text,
                 "Replace the character on screen?\nIts points since the last save stay in the journal: "
                 "the arrow beside the scroll continues it (Ctrl+Shift+T).");
             t.toolkit.endProgram(); // the opened one is saved: nothing more to keep
         }},
        {"another class chosen during a fill",
         [](ContinueTest& t) { t.fillSorceressUntil([&t] { click(&t.start(), "lbl_Amazon"); }); }},
        {"Esc on the start screen during a fill",
         [](ContinueTest& t) {
             t.fillSorceressUntil(
                 [&t] { QTest::keyClick(t.start().findChild<QWidget*>("txt_Focus"), Qt::Key_Escape); });
         }},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.what);
        letDeletionsRun();
        program.reset(); // the journal of the last route goes with its program
        fs::remove_all(toolkit.journalFolder);
        toolkit.messages.clear();
        toolkit.answers.clear();
        toolkit.programEnds = 0;
        restart();
        route.planAndLeave(*this);
        if (toolkit.programEnds > 0) {
            EXPECT_EQ(journals("left-").size(), 1u) << "the plan left before the program ended";
            restart(); // with the same journal
        } else if (tree() != nullptr && tree()->isVisible()) {
            click(tree(), "lbl_ChangeClass"); // back to the start screen, nothing planned
        }
        letDeletionsRun();
        ASSERT_TRUE(start().isVisible());
        ASSERT_TRUE(continueButton()->isVisible());
        EXPECT_EQ(offered().size(), 1u) << "an empty or saved plan is not kept";

        click(&start(), "cmd_Continue");
        ASSERT_NE(tree(), nullptr);
        EXPECT_TRUE(tree()->isVisible());
        EXPECT_FALSE(start().isVisible());
        EXPECT_EQ(build().character()->classId(), planClass);
        EXPECT_EQ(build().character()->history(), planHistory);
        EXPECT_TRUE(document->isModified());
        for (const auto& message : toolkit.messages) {
            EXPECT_NE(message.icon, toolkit::Icon::Critical) << message.text;
        }
        // Taken back, it is the plan on screen and out of the list until it leaves again.
        changeClass();
        EXPECT_EQ(offered().size(), 1u);
    }
}

TEST_F(ContinueTest, theButtonOffersTheTenNewestUnsavedPlansAndTellsOfOneThatCannotBeRead) {
    EXPECT_FALSE(continueButton()->isVisible()) << "nothing to continue yet";
    planNecromancer();
    changeClass();
    ASSERT_TRUE(continueButton()->isVisible());
    EXPECT_EQ(continueButton()->toolTip(),
              "Continue: Necromancer, level 5, unsaved, just now (Ctrl+Shift+T)");
    EXPECT_EQ(continueButton()->geometry(), QRect(646, 542, 40, 40));

    // Continued and saved, it is no longer offered.
    click(&start(), "cmd_Continue");
    toolkit.inputs = {"Bonedancer"};
    click(tree(), "lbl_Save");
    EXPECT_TRUE(fs::exists(fs::path(toolkit.folder) / "Bonedancer.txt"));
    changeClass();
    EXPECT_FALSE(continueButton()->isVisible());

    // Eleven plans of 1..11 points leave: the ten newest are offered, newest first.
    for (int points = 1; points <= 11; ++points) {
        choose(points % 2 == 0 ? "lbl_Amazon" : "lbl_Paladin");
        for (int p = 0; p < points; ++p) {
            click(tree(), points % 2 == 0 ? "img_AmazonJS(0)" : "img_PaladinCombat(0)");
        }
        changeClass();
    }
    const std::vector<screens::ContinueChoice> choices = offered();
    ASSERT_EQ(choices.size(), 10u);
    EXPECT_EQ(choices[0].text, "Continue: Paladin, level 12, unsaved, just now");
    EXPECT_EQ(choices[1].text, "Continue: Amazon, level 11, unsaved, just now");
    EXPECT_EQ(choices[9].text, "Continue: Amazon, level 3, unsaved, just now");
    EXPECT_EQ(continueButton()->toolTip(), "Continue: Paladin, level 12, unsaved, just now (Ctrl+Shift+T)");

    // A press held half a second lists them and continues nothing.
    int listed = 0;
    start().setMenuPopper([&](QMenu& menu, QPoint) {
        ++listed;
        EXPECT_EQ(menu.objectName(), "mnu_Continue");
        return static_cast<QAction*>(nullptr);
    });
    QTest::mousePress(continueButton(), Qt::LeftButton);
    toolkit.advance(499);
    EXPECT_EQ(listed, 0);
    toolkit.advance(1);
    EXPECT_EQ(listed, 1);
    QTest::mouseRelease(continueButton(), Qt::LeftButton);
    EXPECT_EQ(tree(), nullptr) << "the held press continued nothing";

    // Ctrl+Shift+T continues the newest, the Paladin of 11 points, which leaves again.
    start().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&start()));
    QTest::keyClick(&start(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_NE(tree(), nullptr);
    EXPECT_EQ(label("lbl_PaladinCombat(0)"), "11");
    changeClass();

    // Choosing an entry continues that plan: the Amazon of 10 points, which leaves again.
    start().setMenuPopper([](QMenu& menu, QPoint) { return menu.actions().at(1); });
    click(&start(), "cmd_Continue", Qt::RightButton);
    ASSERT_NE(tree(), nullptr);
    EXPECT_EQ(tree()->objectName(), "frm_AmazonSkill");
    EXPECT_EQ(label("lbl_AmazonJS(0)"), "10");
    changeClass();

    // Its journal damaged since, it is told of, set aside, and nothing changes.
    const std::uint64_t amazon = offered().at(0).number;
    std::ofstream(fs::path(toolkit.journalFolder) / ("left-" + std::to_string(amazon) + ".journal"),
                  std::ios::binary | std::ios::trunc)
        << "skillwright journal 1\nclass Nobody\n";
    EXPECT_FALSE(program->continuePlan(amazon));
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "This plan can no longer be read, so it cannot be continued.");
    EXPECT_EQ(toolkit.messages[0].icon, toolkit::Icon::Critical);
    EXPECT_TRUE(start().isVisible());
    EXPECT_EQ(tree(), nullptr);
    EXPECT_EQ(offered().size(), 9u) << "set aside, it is offered no more";
}

TEST_F(ContinueTest, theJournalHoldsEveryChangeAndIsMadeDurableASecondAfterTheLast) {
    choose("lbl_Barbarian");
    click(tree(), "img_BarbarianCS(0)");
    click(tree(), "img_BarbarianCS(0)");
    toolkit.advance(999);
    click(tree(), "img_BarbarianCS(0)");
    toolkit.advance(999);
    const std::vector<fs::path> latest = journals("plan-");
    ASSERT_EQ(latest.size(), 1u) << "no quiet second yet: only the latest journal";
    // What a kill would leave: the plan on screen, whole.
    const journal::JournalReading reading = journal::parseJournal(read(latest[0]));
    ASSERT_TRUE(reading.record) << reading.error;
    EXPECT_EQ(reading.record->plan.history, build().character()->history());
    toolkit.advance(1);
    click(tree(), "img_BarbarianCS(0)");
    EXPECT_EQ(journals("plan-").size(), 2u) << "the durable one stays beside the latest";
}

} // namespace

namespace {

// While the journal cannot be written the tree screen says so in place of
// its disclaimer, and CHANGE CLASS and the window's frame, like EXIT, ask
// before unsaved points go; a few seconds after writing works again the
// journal holds the whole plan, the mark goes and nothing asks.
TEST_F(ContinueTest, aJournalThatCannotBeWrittenIsToldAndLeavingAsksUntilItCanAgain) {
    const fs::path state = toolkit.journalFolder;
    fs::remove_all(state);
    std::ofstream(state) << "a file where the folder should be";
    restart();
    choose("lbl_Paladin");
    auto* mark = tree()->findChild<QLabel*>("lbl_NotKept");
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->text(), "Not being kept: the journal cannot be written (Not a directory)");
    EXPECT_FALSE(tree()->findChild<QLabel*>("lbl_Notice")->isVisible());
    click(tree(), "lbl_Close");
    EXPECT_EQ(toolkit.programEnds, 1) << "nothing unsaved: no question";

    click(tree(), "img_PaladinCombat(0)");
    remember();
    for (const auto& leave : std::vector<std::function<void()>>{
             [&] { click(tree(), "lbl_Close"); }, [&] { changeClass(); }, [&] { tree()->close(); }}) {
        toolkit.messages.clear();
        toolkit.answers = {toolkit::Answer::No};
        leave();
        ASSERT_EQ(toolkit.messages.size(), 1u);
        EXPECT_EQ(toolkit.messages[0].text, "The journal cannot keep this character, so its points since the "
                                            "last save will be lost. Leave it anyway?");
        EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::YesNoDefaultNo);
        ASSERT_NE(tree(), nullptr);
        EXPECT_TRUE(tree()->isVisible());
        EXPECT_EQ(toolkit.programEnds, 1);
    }

    fs::remove(state);
    toolkit.advance(app::PlanKeeper::kRetryMilliseconds);
    EXPECT_FALSE(mark->isVisible()) << "tried again a few seconds later";
    toolkit.messages.clear();
    changeClass();
    EXPECT_TRUE(toolkit.messages.empty());
    click(&start(), "cmd_Continue");
    EXPECT_EQ(build().character()->history(), planHistory) << "no point lost";
}

} // namespace
