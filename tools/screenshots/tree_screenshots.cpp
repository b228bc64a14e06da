// Saves a picture of each of the five skill tree screens with a character
// planned to the last level and one point more refused, so that the notice
// line shows, and the Sorceress with the keyboard on one of her skills:
// tree_screenshots <folder>. Run under a display (Xvfb will do).
#include <model/Build.h>
#include <model/Goals.h>
#include <report/ReportText.h>
#include <screens/library/LibraryWindow.h>
#include <screens/tree/ScreenDesign.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTableView>
#include <QTemporaryDir>

#include <art/Art.h>
#include <cstdio>
#include <document/PlanDocument.h>

using namespace skillwright;

namespace {

/// Spends points the way a player would: the first skills of each tree, in
/// turns, so that counts, history and tier captions all show something.
void spendSomePoints(document::PlanDocument& document, model::ClassId classId) {
    const auto& trees = model::classInfo(classId).trees;
    for (int round = 0; round < 4; ++round) {
        for (const model::TreeId tree : trees) {
            for (std::int16_t i = 0; i < model::kSkillsPerTree; ++i) {
                document.click(tree, i);
            }
        }
    }
}

/// Goes on spending in turns until the last level refuses a point: the
/// notice line then tells why.
void spendUntilRefused(document::PlanDocument& document, model::ClassId classId) {
    const auto& trees = model::classInfo(classId).trees;
    for (int k = 0; k < 300 && document.isOpen(); ++k) {
        const auto tree = trees[static_cast<std::size_t>(k % 3)];
        if (document.click(tree, static_cast<std::int16_t>(k / 3 % model::kSkillsPerTree)).refusal ==
            model::Refusal::Level99) {
            break;
        }
    }
}

/// Rests the pointer on the second icon of the middle tree, so the picture
/// shows the outline and the description area too.
void hoverAnIcon(QWidget& screen, model::ClassId classId) {
    const model::Tree& middle = model::tree(model::classInfo(classId).trees[1]);
    const std::string_view array = screens::iconArrayName(middle.id);
    auto* icon = screen.findChild<QWidget*>(
        QString::fromUtf8(array.data(), static_cast<qsizetype>(array.size())) + QStringLiteral("(1)"));
    if (icon == nullptr) {
        return;
    }
    const QPointF inside(10, 10);
    QMouseEvent move(QEvent::MouseMove, inside, icon->mapToGlobal(inside), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(icon, &move);
}

/// Walks the keyboard from the first icon to Frozen Orb the way a player
/// would: down the rows, then the start of its name.
void keyboardToFrozenOrb(QWidget& screen) {
    const auto press = [&screen](int key, const QString& text = {}) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(screen.focusWidget(), &down);
    };
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    for (const QChar c : QStringLiteral("frozen o")) {
        press(c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_A + (c.unicode() - 'a'), QString(c));
    }
}

/// The library over a dozen plans of all five classes, two in a folder of
/// their own, one a report that does not open.
bool libraryPicture(const QDir& folder) {
    QTemporaryDir reports;
    using model::TreeId;
    const struct {
        const char* name;
        model::ClassId classId;
        std::vector<model::Target> targets;
        const char* sub;
        const char* note;
    } plans[] = {
        {"Frost Witch",
         model::ClassId::Sorceress,
         {{{TreeId::SorceressCold, 6}, 20},
          {{TreeId::SorceressCold, 8}, 20},
          {{TreeId::SorceressCold, 9}, 17}},
         "",
         "Blizzard and Frozen Orb for Hell"},
        {"Fire Sorc, Normal",
         model::ClassId::Sorceress,
         {{{TreeId::SorceressFire, 0}, 12}, {{TreeId::SorceressFire, 1}, 5}},
         "",
         ""},
        {"Hammerdin",
         model::ClassId::Paladin,
         {{{TreeId::PaladinCombat, 6}, 20},
          {{TreeId::PaladinOffensiveAuras, 4}, 20},
          {{TreeId::PaladinCombat, 8}, 10}},
         "",
         "Blessed Hammer and Concentration"},
        {"Zealot",
         model::ClassId::Paladin,
         {{{TreeId::PaladinCombat, 3}, 20}, {{TreeId::PaladinOffensiveAuras, 8}, 15}},
         "ladder",
         ""},
        {"Javazon",
         model::ClassId::Amazon,
         {{{TreeId::AmazonJavelinSpear, 9}, 20},
          {{TreeId::AmazonJavelinSpear, 5}, 20},
          {{TreeId::AmazonPassiveMagic, 8}, 1}},
         "",
         "Lightning Fury; Valkyrie at 30"},
        {"Bowazon",
         model::ClassId::Amazon,
         {{{TreeId::AmazonBowCrossbow, 6}, 20}, {{TreeId::AmazonBowCrossbow, 2}, 10}},
         "",
         ""},
        {"Whirlwind",
         model::ClassId::Barbarian,
         {{{TreeId::BarbarianCombat, 8}, 20},
          {{TreeId::BarbarianMasteries, 0}, 20},
          {{TreeId::BarbarianWarcries, 4}, 5}},
         "",
         "Find Item on the side"},
        {"Singer",
         model::ClassId::Barbarian,
         {{{TreeId::BarbarianWarcries, 8}, 20}, {{TreeId::BarbarianWarcries, 6}, 8}},
         "ladder",
         "War cries only"},
        {"Bone Necro",
         model::ClassId::Necromancer,
         {{{TreeId::NecromancerPoisonBone, 6}, 20},
          {{TreeId::NecromancerPoisonBone, 9}, 20},
          {{TreeId::NecromancerPoisonBone, 0}, 20}},
         "",
         "Bone Spear, Teeth, Bone Spirit"},
        {"Summoner",
         model::ClassId::Necromancer,
         {{{TreeId::NecromancerSummoning, 1}, 20},
          {{TreeId::NecromancerSummoning, 0}, 20},
          {{TreeId::NecromancerCurses, 0}, 1}},
         "",
         ""},
        {"Poison Nova",
         model::ClassId::Necromancer,
         {{{TreeId::NecromancerPoisonBone, 8}, 20}, {{TreeId::NecromancerPoisonBone, 5}, 12}},
         "",
         ""},
        {"Lightning Sorc",
         model::ClassId::Sorceress,
         {{{TreeId::SorceressLightning, 5}, 18}, {{TreeId::SorceressLightning, 6}, 1}},
         "",
         "Chain Lightning"},
    };
    for (const auto& p : plans) {
        model::Plan plan{p.classId, {}, p.name};
        plan.targets = p.targets;
        const model::TargetFill fill = model::fillToTargets(plan);
        plan.history = fill.added;
        plan.targets.clear();
        plan.note = p.note;
        if (std::string_view(p.name) == "Frost Witch") {
            plan.milestones = {{20, "Nightmare", ""}, {40, "Hell", ""}};
        }
        const QDir into(reports.path() + QLatin1Char('/') + QLatin1String(p.sub));
        into.mkpath(QStringLiteral("."));
        QFile file(into.filePath(QString::fromUtf8(p.name) + QStringLiteral(".txt")));
        if (!file.open(QIODevice::WriteOnly)) {
            return false;
        }
        file.write(QByteArray::fromStdString(report::reportText(plan)));
    }
    QFile broken(reports.filePath(QStringLiteral("notes from the forum.txt")));
    if (!broken.open(QIODevice::WriteOnly)) {
        return false;
    }
    broken.write("Ask about the Enigma runeword\r\n");
    broken.close();
    toolkit::ScriptedToolkit toolkit;
    screens::LibraryWindow library(reports.path().toStdString(), toolkit);
    library.resize(1380, 430);
    library.show();
    while (library.reading()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    for (auto* table : library.findChildren<QTableView*>()) {
        table->resizeColumnsToContents();
        table->selectRow(0);
    }
    QApplication::processEvents();
    const QString file = folder.filePath(QStringLiteral("library.png"));
    return library.grab().save(file);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    art::initialise();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    for (const model::ClassInfo& info : model::classes()) {
        document.startNew(info.id);
        screens::SkillTreeScreen screen(document, toolkit);
        screen.show();
        spendSomePoints(document, info.id);
        spendUntilRefused(document, info.id);
        hoverAnIcon(screen, info.id);
        QApplication::processEvents();
        const QString file =
            folder.filePath(QStringLiteral("tree-%1.png").arg(QString::fromUtf8(info.name.data()).toLower()));
        if (!screen.grab().save(file)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
            return 1;
        }
    }
    // The Sorceress planned from the keyboard: the ring on the skill it is on.
    document.startNew(model::ClassId::Sorceress);
    screens::SkillTreeScreen screen(document, toolkit);
    screen.show();
    spendSomePoints(document, model::ClassId::Sorceress);
    keyboardToFrozenOrb(screen);
    QApplication::processEvents();
    const QString file = folder.filePath(QStringLiteral("tree-keyboard.png"));
    if (!screen.grab().save(file)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        return 1;
    }
    // A cold Sorceress planned from her goal: targets set, then filled.
    document.startNew(model::ClassId::Sorceress);
    screens::SkillTreeScreen goal(document, toolkit);
    goal.show();
    using model::TreeId;
    static_cast<void>(document.setTargets({{{TreeId::SorceressCold, 8}, 20},
                                           {{TreeId::SorceressCold, 9}, 20},
                                           {{TreeId::SorceressCold, 6}, 20},
                                           {{TreeId::SorceressLightning, 6}, 1},
                                           {{TreeId::SorceressCold, 1}, 5}}));
    goal.fillToTargets();
    QApplication::processEvents();
    const QString targets = folder.filePath(QStringLiteral("targets.png"));
    if (!goal.grab().save(targets)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(targets));
        return 1;
    }
    return libraryPicture(folder) ? 0 : 1;
}
