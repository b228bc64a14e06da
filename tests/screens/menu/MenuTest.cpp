#include "BuildText.h"
#include "MenuRecorder.h"

#include <model/Build.h>
#include <screens/menu/MenuHolder.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <document/PlanDocument.h>
#include <presentation/Presentation.h>

namespace skillwright::screens {
namespace {

using model::ClassId;
using model::TreeId;

/// The build and the quest entries' captions, as one comparable text.
std::string describe(const model::Build& b, const presentation::SkillMenuTexts& texts) {
    std::string text = skillwright::testing::describe(b);
    for (model::Quest q : {model::Quest::DenOfEvil, model::Quest::BookOfSkill, model::Quest::Izual}) {
        text += texts.caption(q);
    }
    return text;
}

class MenuTest : public ::testing::Test {
protected:
    MenuTest() {
        document.startNew(ClassId::Necromancer);
        menu.setPopper([this](QMenu& m, QPoint pos) { return popped(m, pos); });
    }

    /// Takes level-ups into the reserve until the character is at `level`.
    void reachLevel(int level) {
        while (build.characterLevel() < level) {
            document.reservePoint();
        }
    }
    [[nodiscard]] QString entryText(const char* name) const { return menu.findChild<QAction*>(name)->text(); }

    /// Right click on skill `index` of `tree`, then the skill menu; picks `entry` (empty: dismiss).
    void rightClick(TreeId tree, std::int16_t index, const QString& entry = {}) {
        popped.choose = entry;
        menu.popupSkillMenu(build.state(), {tree, index}, QPoint(120, 80));
    }

    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    const model::Build& build = document.build();
    presentation::SkillMenuTexts texts{build};
    MenuHolder menu{document, texts, toolkit};
    skillwright::testing::MenuRecorder popped;
};

TEST_F(MenuTest, entriesAsCreated) {
    EXPECT_EQ(menu.objectName(), "frm_Menu");
    EXPECT_FALSE(menu.isVisible());
    const std::pair<const char*, QStringList> menus[] = {
        {"mnu_ReserveMenu",
         {"&Reserve Skill Point", "&Use Reserved Point", "", "&Den Of Evil (Normal)",
          "&Book Of Skill (Normal)", "&Death of Izual (Normal)", "", "&Skill Stats", "Set &Target..."}},
        {"mnu_QuennickPop", {"Email Quennick", "Visit Website"}},
        {"mnu_Orrindel", {"Email Orrindel", "Visit Website"}},
    };
    for (const auto& [name, expected] : menus) {
        auto* m = menu.findChild<QMenu*>(name);
        ASSERT_NE(m, nullptr) << name;
        QStringList texts;
        for (QAction* a : m->actions()) {
            texts << a->text();
            EXPECT_TRUE(a->isEnabled() && a->isVisible() && !a->isCheckable() && a->shortcut().isEmpty());
        }
        EXPECT_EQ(texts, expected) << name;
    }
    EXPECT_EQ(menu.findChild<QMenu*>("mnu_QuennickPop")->title(), "Quennick");
    EXPECT_EQ(menu.findChild<QMenu*>("mnu_Orrindel")->title(), "Orrindel");
    EXPECT_TRUE(menu.findChild<QAction*>("mnu_ReserveSpacer")->isSeparator());
    EXPECT_TRUE(menu.findChild<QAction*>("mnu_Skillstats")->isSeparator());
    EXPECT_EQ(menu.findChild<QMenu*>("mnu_ReserveMenu")
                  ->actions()
                  .indexOf(menu.findChild<QAction*>("mnu_ReserveSpacer")),
              2);
}

TEST_F(MenuTest, levelOneOffersReserveUseAndStatsOnlyAndTheSeparatorShowsWithAnyQuest) {
    rightClick(TreeId::NecromancerPoisonBone, 0);
    EXPECT_EQ(popped.menu, "mnu_ReserveMenu");
    EXPECT_EQ(popped.at, QPoint(120, 80));
    EXPECT_EQ(popped.captions, (QStringList{"&Reserve Skill Point", "&Use Reserved Point", "", "&Skill Stats",
                                            "Set &Target..."}));
    // The separator above the quest entries shows with any of them, Izual alone too.
    reachLevel(23);
    rightClick(TreeId::NecromancerPoisonBone, 0, "mnu_DenOfEvil");
    rightClick(TreeId::NecromancerPoisonBone, 0, "mnu_BookOfSkill");
    rightClick(TreeId::NecromancerPoisonBone, 0);
    EXPECT_EQ(popped.shown,
              (QStringList{"mnu_ReservePoint", "mnu_UseReserve", "mnu_ReserveSpacer", "mnu_DeathOfIzual",
                           "mnu_Skillstats", "mnu_SkillInfo", "mnu_SetTarget"}));
}

TEST_F(MenuTest, dismissedOrUnpickableChoiceChangesNothing) {
    reachLevel(3);
    const std::string before = describe(build, texts);
    rightClick(TreeId::NecromancerPoisonBone, 0);
    EXPECT_EQ(describe(build, texts), before);
    // Hidden entries and separators cannot be picked.
    rightClick(TreeId::NecromancerPoisonBone, 0, "mnu_DenOfEvil");
    const std::string hidden = describe(build, texts);
    ASSERT_NE(hidden, before);
    for (const char* entry : {"mnu_DenOfEvil", "mnu_ReserveSpacer", "mnu_Skillstats", "mnu_QuennickEmail"}) {
        rightClick(TreeId::NecromancerPoisonBone, 0, entry);
        EXPECT_EQ(describe(build, texts), hidden) << entry;
    }
    EXPECT_TRUE(toolkit.openedAddresses.empty());
}

// Each entry of the skill menu runs its own command on the right-clicked
// skill, and nothing else: at level 60 with a point in reserve every command
// has something to do, and each leaves its own trace.
TEST_F(MenuTest, eachSkillMenuEntryRunsItsOwnCommand) {
    QSignalSpy statsRequested(&menu, &MenuHolder::skillStatsRequested);
    const std::pair<const char*, const char*> cases[] = {
        {"mnu_ReservePoint", "Clvl 61 Reserved For Later "},
        {"mnu_UseReserve", "Reserved Slvl 1: Teeth"},
        {"mnu_DenOfEvil", "Den Of Evil: Normal Slvl 1: Teeth"},
        {"mnu_BookOfSkill", "Book of Skill: Normal Slvl 1: Teeth"},
        {"mnu_DeathOfIzual", "Izual Quest Point:(1) Normal Slvl 1: Teeth"},
        {"mnu_SkillInfo", "Clvl 60 Reserved For Later "},
    };
    for (const auto& [entry, lastEntry] : cases) {
        document.reset();
        reachLevel(60);
        const int requestsBefore = statsRequested.count();
        rightClick(TreeId::NecromancerPoisonBone, 0, entry);
        EXPECT_EQ(model::formatEntry(build.character()->history().back()), lastEntry) << entry;
        EXPECT_EQ(statsRequested.count() - requestsBefore, std::string_view(entry) == "mnu_SkillInfo" ? 1 : 0)
            << entry;
    }
    EXPECT_TRUE(toolkit.messages.empty());
}

TEST_F(MenuTest, anExhaustedQuestIsToldInAMessageBox) {
    reachLevel(40);
    for (int n = 0; n < 3; ++n) {
        rightClick(TreeId::NecromancerPoisonBone, 0, "mnu_DenOfEvil");
    }
    ASSERT_TRUE(toolkit.messages.empty());
    const std::string before = describe(build, texts);
    rightClick(TreeId::NecromancerPoisonBone, 0);
    menu.takeDenOfEvil(); // the menu hides the entry; its command still answers
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "You may only complete this quest once for each level, 3 times.");
    EXPECT_EQ(toolkit.messages[0].title, "No Longer valid");
    EXPECT_EQ(toolkit.messages[0].icon, toolkit::Icon::Information);
    EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::Ok);
    EXPECT_EQ(describe(build, texts), before);
}

// Looking back, the menu shows the past's captions, and the entries that would
// change the build cannot be picked; the statistics still open, on the points
// the skill held then. (The look-back's offers, over many random plans, are
// the keyboard suite's.)
TEST_F(MenuTest, aPastBuildsMenuShowsItsOffersAndChangesNothing) {
    reachLevel(40);
    for (int n = 0; n < 2; ++n) {
        rightClick(TreeId::NecromancerPoisonBone, 0, "mnu_DenOfEvil");
    }
    const model::BuildState past =
        model::replayPlan({ClassId::Necromancer,
                           {build.character()->history().begin(), build.character()->history().begin() + 3},
                           {}})
            .state; // level 4 with no quest point
    const std::string before = describe(build, texts);
    QSignalSpy statsRequested(&menu, &MenuHolder::skillStatsRequested);
    for (const char* entry : {"mnu_ReservePoint", "mnu_UseReserve", "mnu_DenOfEvil", "mnu_SkillInfo"}) {
        popped.choose = entry;
        menu.popupSkillMenu(past, {TreeId::NecromancerPoisonBone, 0}, QPoint(120, 80), true);
        EXPECT_EQ(popped.captions,
                  (QStringList{"&Reserve Skill Point", "&Use Reserved Point", "", "&Den Of Evil (Normal)", "",
                               "&Skill Stats", "Set &Target..."}))
            << entry;
        EXPECT_EQ(describe(build, texts), before) << entry;
    }
    EXPECT_EQ(statsRequested.count(), 1);
    ASSERT_TRUE(menu.rightClicked().has_value());
    EXPECT_EQ(menu.rightClicked()->points, 0);
}

TEST_F(MenuTest, contactEntriesOpenTheirAddressAndIgnoreFailure) {
    toolkit.openAddressResult = false;
    const std::tuple<int, const char*, const char*> cases[] = {
        {MenuHolder::Quennick, "mnu_QuennickEmail", "mailto:quennick@example.com"},
        {MenuHolder::Quennick, "mnu_QuennickWeb", "https://www.example.com/quennick/"},
        {MenuHolder::Orrindel, "mnu_OrrindelEmail", "mailto:orrindel@example.org"},
        {MenuHolder::Orrindel, "mnu_OrrindelSite", "https://www.example.org/orrindel/"},
    };
    for (const auto& [person, entry, address] : cases) {
        popped.choose = entry;
        toolkit.openedAddresses.clear();
        menu.popupContactMenu(person, QPoint(5, 5));
        EXPECT_EQ(toolkit.openedAddresses, std::vector<std::string>{address}) << entry;
    }
    EXPECT_TRUE(toolkit.messages.empty());

    popped.popups = 0;
    menu.popupContactMenu(7, QPoint(5, 5));
    EXPECT_EQ(popped.popups, 0);
}

// The real modal run: the chosen entry's handler runs exactly once, and
// Escape runs nothing. A fallback timer closes the menu so the test cannot hang.
TEST(MenuExec, realPopupRunsChosenEntryOnceAndEscapeRunsNothing) {
    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    document.startNew(ClassId::Necromancer);
    const model::Build& build = document.build();
    presentation::SkillMenuTexts texts{build};
    MenuHolder menu{document, texts, toolkit};

    auto drive = [&](std::function<void(QMenu*)> act) {
        QTimer::singleShot(0, &menu, [act] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                act(popup);
            }
        });
        QTimer::singleShot(5000, &menu, [&menu] { menu.findChild<QMenu*>("mnu_ReserveMenu")->close(); });
        menu.popupSkillMenu(build.state(), {TreeId::NecromancerPoisonBone, 0}, QPoint(50, 50));
    };

    QList<QColor> separatorLine;
    drive([&](QMenu* popup) {
        const QImage seen = popup->grab().toImage();
        const QRect place = popup->actionGeometry(menu.findChild<QAction*>("mnu_Skillstats"));
        for (int y = place.top(); y <= place.bottom(); ++y) {
            separatorLine << seen.pixelColor(place.center().x(), y);
        }
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    EXPECT_TRUE(build.character()->history().empty());
    EXPECT_TRUE(separatorLine.contains(QColor(90, 74, 56))) << "the separator shows in the bevel's light";

    drive([&menu](QMenu* popup) {
        popup->setActiveAction(menu.findChild<QAction*>("mnu_ReservePoint"));
        QTest::keyClick(popup, Qt::Key_Return);
    });
    ASSERT_EQ(build.character()->history().size(), 1u);
    EXPECT_EQ(model::formatEntry(build.character()->history()[0]), "Clvl 2 Reserved For Later ");
}

} // namespace
} // namespace skillwright::screens
