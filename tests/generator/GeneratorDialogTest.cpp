// The generator dialog: its load step, the level check as keys are released,
// Enter and Esc wherever they are typed, the question and what No restores.
#include "Colours.h"

#include <generator/RandomGeneratorDialog.h>
#include <toolkit/ScriptedToolkit.h>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <utility>

using namespace skillwright;
using generator::RandomGeneratorDialog;

namespace {

using skillwright::testing::kBrightGold;
using skillwright::testing::kBronze;

class GeneratorDialogTest : public ::testing::Test {
protected:
    GeneratorDialogTest() {
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    }
    ~GeneratorDialogTest() override { delete dialog; }

    template <typename T = QLabel> T* child(const char* name) const {
        auto* w = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* box() const { return child<QLineEdit>("txt_Level"); }
    QColor colour(const char* name) const { return skillwright::testing::textColour(child(name)); }
    /// Replaces the box's text by typing it, key by key, as a player does.
    void type(const QString& text) {
        box()->clear();
        QTest::keyClicks(box(), text);
    }
    /// A click on an option's caption.
    void choose(const char* option) {
        QTest::mouseClick(child<QRadioButton>(option), Qt::LeftButton, {}, {8, 13});
    }

    toolkit::ScriptedToolkit toolkit;
    QPointer<RandomGeneratorDialog> dialog = new RandomGeneratorDialog(toolkit);
    QSignalSpy confirmed{dialog.data(), &RandomGeneratorDialog::generationConfirmed};
    QSignalSpy cancelled{dialog.data(), &RandomGeneratorDialog::cancelled};

    [[nodiscard]] model::GenerationPlan plan(int n) const {
        return confirmed[n][0].value<model::GenerationPlan>();
    }
};

TEST_F(GeneratorDialogTest, opensOnRandomWithTheBoxAtZero) {
    EXPECT_EQ(dialog->windowTitle(), "Random Character Generator");
    const std::pair<const char*, const char*> options[] = {
        {"opt_Random", "Random"},           {"opt_Amazon", "Amazon"},   {"opt_Barbarian", "Barbarian"},
        {"opt_Necromancer", "Necromancer"}, {"Opt_Paladin", "Paladin"}, {"opt_Sorceress", "Sorceress"}};
    for (const auto& [name, caption] : options) {
        EXPECT_EQ(child<QRadioButton>(name)->text(), caption);
    }
    EXPECT_TRUE(child<QRadioButton>("opt_Random")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("opt_Random")->hasFocus());
    EXPECT_EQ(child<QRadioButton>("opt_Random")->nextInFocusChain(), child<QRadioButton>("opt_Amazon"));
    EXPECT_EQ(box()->text(), "0");
    EXPECT_EQ(box()->palette().color(QPalette::Text), kBrightGold);
    EXPECT_EQ(child("Label1")->text(), "Up To This Level:");
    EXPECT_EQ(child("Label2")->text(), "0 = Random level");
    EXPECT_FALSE(child("Image1")->pixmap().isNull());
    EXPECT_FALSE(child("Image2")->pixmap().isNull());
}

TEST_F(GeneratorDialogTest, aLevelTheCheckRefusesIsAnsweredAndTheBoxGoesBackToZero) {
    // The box as it stands when the last key of the text is released.
    const std::pair<QString, Qt::Key> refused[] = {
        {QStringLiteral("80"), Qt::Key_0},    {QStringLiteral("-3"), Qt::Key_3},
        {QStringLiteral("-"), Qt::Key_Minus}, {QStringLiteral("7b"), Qt::Key_B},
        {QStringLiteral("x"), Qt::Key_X},
    };
    for (const auto& [text, lastKey] : refused) {
        toolkit.messages.clear();
        box()->setText(text);
        QTest::keyRelease(box(), lastKey);
        ASSERT_EQ(toolkit.messages.size(), 1u) << text.toStdString();
        EXPECT_EQ(toolkit.messages[0].text, "Level must be 0 - 75");
        EXPECT_EQ(toolkit.messages[0].title, "Entry Error");
        EXPECT_EQ(toolkit.messages[0].icon, toolkit::Icon::Information);
        EXPECT_EQ(box()->text(), "0");
    }
    toolkit.messages.clear();
    type(QStringLiteral("80")); // typed for real: "8" may stay, "80" may not
    EXPECT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(box()->text(), "0");
    toolkit.messages.clear();
    type(QStringLiteral("75"));
    box()->backspace(); // a deleted character is no key release: the box holds what the check saw
    QTest::keyClick(box(), Qt::Key_Backspace);
    EXPECT_TRUE(toolkit.messages.empty());
    EXPECT_EQ(box()->text(), "");
}

TEST_F(GeneratorDialogTest, anEmptyBoxGeneratesARandomLevel) {
    box()->clear();
    toolkit.randoms = {0.0, (40 - 1 + 0.5) / 75}; // a class roll of 1, then level 40
    QTest::keyClick(box(), Qt::Key_Return);
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text,
              "This will generate a Amazon, Level 40.\r\nDo you want to continue? (This may take awhile)");
    ASSERT_EQ(confirmed.count(), 1);
    EXPECT_EQ(plan(0).classId, model::ClassId::Amazon);
    EXPECT_EQ(plan(0).level, 40);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(GeneratorDialogTest, noAfterARandomClassGoesBackToRandomWithNothingPending) {
    choose("opt_Sorceress"); // chosen, then Random again
    choose("opt_Random");
    type(QStringLiteral("30"));
    toolkit.answers = {toolkit::Answer::No};
    toolkit.randoms = {0.5};
    QTest::mouseClick(child("lbl_Generate"), Qt::LeftButton);
    EXPECT_EQ(
        toolkit.messages.back().text,
        "This will generate a Necromancer, Level 30.\r\nDo you want to continue? (This may take awhile)");
    EXPECT_EQ(toolkit.messages.back().title, "Character Generator");
    EXPECT_EQ(toolkit.messages.back().buttons, toolkit::Buttons::YesNo);
    EXPECT_EQ(toolkit.messages.back().icon, toolkit::Icon::None);
    EXPECT_EQ(confirmed.count(), 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(child<QRadioButton>("opt_Random")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("opt_Random")->hasFocus());
}

TEST_F(GeneratorDialogTest, noAfterAChosenClassKeepsThatClass) {
    choose("Opt_Paladin");
    toolkit.answers = {toolkit::Answer::No};
    toolkit.randoms = {0.5};
    QTest::keyClick(box(), Qt::Key_Return);
    EXPECT_EQ(toolkit.messages.back().text.substr(0, 39), "This will generate a Paladin, Level 38.");
    EXPECT_TRUE(child<QRadioButton>("Opt_Paladin")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("opt_Random")->isChecked());
}

TEST_F(GeneratorDialogTest, enterOnAClassOptionGeneratesThatClass) {
    type(QStringLiteral("12.5"));
    choose("opt_Amazon");
    QTest::keyClick(child<QRadioButton>("opt_Amazon"), Qt::Key_Enter);
    ASSERT_EQ(confirmed.count(), 1);
    EXPECT_EQ(plan(0).classId, model::ClassId::Amazon);
    EXPECT_EQ(plan(0).level, 12) << "halves go to the even whole";
    EXPECT_FALSE(plan(0).classWasDrawn);
}

TEST_F(GeneratorDialogTest, theKeyboardAloneReachesEveryChoice) {
    // Down walks the class options, Tab leads on to the level box, Enter generates.
    QWidget* at = dialog->focusWidget();
    for (const char* next :
         {"opt_Amazon", "opt_Barbarian", "opt_Necromancer", "Opt_Paladin", "opt_Sorceress"}) {
        QTest::keyClick(at, Qt::Key_Down);
        at = dialog->focusWidget();
        EXPECT_EQ(at->objectName(), next);
        EXPECT_TRUE(static_cast<QRadioButton*>(at)->isChecked()) << next;
    }
    QTest::keyClick(at, Qt::Key_Tab);
    ASSERT_EQ(dialog->focusWidget(), box());
    EXPECT_EQ(box()->accessibleName(), "Up To This Level:");
    QTest::keyClick(box(), Qt::Key_Backspace);
    QTest::keyClicks(box(), QStringLiteral("30"));
    QTest::keyClick(box(), Qt::Key_Return);
    ASSERT_EQ(confirmed.count(), 1);
    EXPECT_EQ(plan(0).classId, model::ClassId::Sorceress);
    EXPECT_EQ(plan(0).level, 30);
}

TEST_F(GeneratorDialogTest, escapeInTheBoxOnAnOptionOrOnTheDialogCancels) {
    for (const char* where : {"txt_Level", "opt_Necromancer", "frm_RandomGenerator"}) {
        auto* dlg = new RandomGeneratorDialog(toolkit);
        QSignalSpy gone(dlg, &RandomGeneratorDialog::cancelled);
        dlg->show();
        QWidget* target = dlg->objectName() == where ? dlg : dlg->findChild<QWidget*>(where);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_EQ(gone.count(), 1) << where;
        EXPECT_FALSE(dlg->isVisible()) << where;
    }
    EXPECT_EQ(confirmed.count(), 0);
}

TEST_F(GeneratorDialogTest, commandsLightUnderThePointerAndDimOverTheBackground) {
    QTest::mouseMove(child("lbl_Generate"));
    EXPECT_EQ(colour("lbl_Generate"), kBrightGold);
    EXPECT_EQ(colour("lbl_Cancel"), kBronze);
    QTest::mouseMove(child("lbl_Cancel"));
    EXPECT_EQ(colour("lbl_Generate"), kBronze);
    EXPECT_EQ(colour("lbl_Cancel"), kBrightGold);
    QTest::mouseMove(dialog, QPoint(180, 290));
    EXPECT_EQ(colour("lbl_Generate"), kBronze);
    EXPECT_EQ(colour("lbl_Cancel"), kBronze);
    QTest::mouseClick(child("lbl_Cancel"), Qt::LeftButton);
    EXPECT_EQ(cancelled.count(), 1);
}

TEST_F(GeneratorDialogTest, eachClassEmblemPicksItsClassAndLightsUnderThePointer) {
    const std::array<std::pair<const char*, const char*>, 5> emblems{{
        {"img_EmblemAmazon", "opt_Amazon"},
        {"img_EmblemBarbarian", "opt_Barbarian"},
        {"img_EmblemNecromancer", "opt_Necromancer"},
        {"img_EmblemPaladin", "Opt_Paladin"},
        {"img_EmblemSorceress", "opt_Sorceress"},
    }};
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) <
               40;
    };
    for (const auto& [emblemName, optionName] : emblems) {
        SCOPED_TRACE(emblemName);
        auto* emblem = child<QWidget>(emblemName);
        auto* option = child<QRadioButton>(optionName);
        EXPECT_EQ(emblem->toolTip(), option->text());

        // The top of its ring, on the dialog as painted.
        const QPoint ring = emblem->geometry().topLeft() + QPoint(emblem->width() / 2, 1);
        QTest::mouseMove(dialog, QPoint(180, 290));
        EXPECT_FALSE(near(dialog->grab().toImage().pixelColor(ring), kBrightGold));
        QTest::mouseMove(emblem);
        EXPECT_TRUE(near(dialog->grab().toImage().pixelColor(ring), kBrightGold));

        QTest::mouseClick(emblem, Qt::LeftButton);
        EXPECT_TRUE(option->isChecked());
        EXPECT_TRUE(option->hasFocus());
    }

    // Off the roundel, in a corner of the emblem's square, a click picks nothing.
    choose("opt_Random");
    QTest::mouseClick(child<QWidget>("img_EmblemPaladin"), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(child<QRadioButton>("opt_Random")->isChecked());
}

} // namespace
