// Shows a level-60 Paladin (Zeal and Fanaticism) with the attributes window
// beside the tree screen, and stays until it is ended, for a picture of the
// whole screen: attributes_screenshot [seconds]. Under Xvfb:
//   Xvfb :77 -screen 0 1960x600x24 &
//   DISPLAY=:77 attributes_screenshot 6 & sleep 4
//   DISPLAY=:77 import -window root docs/attributes.png
#include <model/Build.h>
#include <report/ReportText.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <Program.h>
#include <art/Art.h>
#include <document/PlanDocument.h>
#include <fstream>
#include <map>
#include <vector>

using namespace skillwright;
using model::TreeId;

namespace {

struct Wanted {
    TreeId tree;
    std::int16_t index;
    int most;
};

/// Each level's point in the first skill of the list below its most that the rules take.
model::Plan zealot() {
    constexpr TreeId kOffensive = TreeId::PaladinOffensiveAuras;
    constexpr TreeId kCombat = TreeId::PaladinCombat;
    const std::vector<Wanted> wanted{{kCombat, 0, 1},    {kOffensive, 0, 1},  {kCombat, 1, 1},
                                     {kOffensive, 3, 1}, {kCombat, 3, 20},    {kOffensive, 4, 1},
                                     {kCombat, 4, 1},    {kOffensive, 8, 20}, {kOffensive, 0, 20}};
    model::Build build;
    build.startCharacter(model::ClassId::Paladin);
    std::map<std::pair<TreeId, int>, int> held;
    while (build.characterLevel() < 60) {
        bool taken = false;
        for (const Wanted& w : wanted) {
            int& points = held[{w.tree, w.index}];
            if (points < w.most && build.click(w.tree, w.index).accepted()) {
                ++points;
                taken = true;
                break;
            }
        }
        if (!taken) {
            build.reservePoint();
        }
    }
    model::Plan plan = build.plan();
    plan.name = "Zealot";
    plan.milestones = {{13, "Act 2: Radament", {}}, {28, "Nightmare", {}}, {45, "Hell", {}}};
    plan.attributes.targets = {{model::Attribute::Strength, 100}, {model::Attribute::Dexterity, 75}};
    plan.attributes.tome = {24, 43, 0};
    plan.attributes.goldenBird = {25, 44, 0};
    return plan;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app::applyLook(app);
    QTemporaryDir folder;
    toolkit::ScriptedToolkit toolkit;
    toolkit.folder = folder.path().toStdString();
    const std::string path = toolkit.folder + "/Zealot.txt";
    std::ofstream(path, std::ios::binary) << report::reportText(zealot());
    document::PlanDocument document;
    app::Program program(document, toolkit);
    program.start(path);
    program.treeScreen()->move(0, 0);
    program.runCommand(screens::ProgramCommand::Attributes);
    program.attributesWindow()->resize(program.attributesWindow()->width(), program.treeScreen()->height());
    program.attributesWindow()->move(program.treeScreen()->frameGeometry().right() + 6, 0);
    QTimer::singleShot(1000 * (argc > 1 ? std::atoi(argv[1]) : 6), &app, &QApplication::quit);
    return QApplication::exec();
}
