// Saves a picture of a Sorceress compared with another Sorceress: the two
// share their first eleven levels, then one goes into fire and the other
// into cold from level 12 on: compare_screenshot <folder> writes
// compare.png. Run under a display (Xvfb will do); with QT_SCALE_FACTOR=2
// the picture is at twice the size.
#include <model/Build.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>

#include <art/Art.h>
#include <cstdio>
#include <document/PlanDocument.h>
#include <utility>
#include <vector>

using namespace skillwright;
using model::TreeId;

namespace {

using Skill = std::pair<TreeId, std::int16_t>;

constexpr Skill kFireBolt{TreeId::SorceressFire, 0};
constexpr Skill kWarmth{TreeId::SorceressFire, 1};
constexpr Skill kInferno{TreeId::SorceressFire, 2};
constexpr Skill kFireball{TreeId::SorceressFire, 4};
constexpr Skill kChargedBolt{TreeId::SorceressLightning, 0};
constexpr Skill kStaticField{TreeId::SorceressLightning, 1};
constexpr Skill kTelekinesis{TreeId::SorceressLightning, 2};
constexpr Skill kIceBolt{TreeId::SorceressCold, 0};
constexpr Skill kFrozenArmor{TreeId::SorceressCold, 1};
constexpr Skill kFrostNova{TreeId::SorceressCold, 2};
constexpr Skill kIceBlast{TreeId::SorceressCold, 3};

const model::Build& rulesOf(const model::Build& build) {
    return build;
}
const model::Build& rulesOf(const document::PlanDocument& document) {
    return document.build();
}

/// Clicks the skills in turns, each the rules refuse passed over, until the
/// character reaches `level`.
template <typename Owner> void playTo(Owner& build, int level, const std::vector<Skill>& skills) {
    for (std::size_t k = 0; rulesOf(build).characterLevel() < level && k < 2000; ++k) {
        const auto [tree, index] = skills[k % skills.size()];
        build.click(tree, index);
    }
}

/// The first eleven levels both plans share, with a Den of Evil point in
/// Warmth at level 6.
template <typename Owner> void sharedStart(Owner& build) {
    for (const auto& [tree, index] : {kFireBolt, kWarmth, kChargedBolt, kIceBolt, kFrozenArmor, kStaticField,
                                      kTelekinesis, kIceBlast, kFrostNova, kStaticField}) {
        build.click(tree, index);
        if (rulesOf(build).characterLevel() == 6 && rulesOf(build).questCount(model::Quest::DenOfEvil) == 0) {
            build.takeQuestPoint(model::Quest::DenOfEvil, {kWarmth.first, kWarmth.second});
        }
    }
}

void hover(QWidget& screen, const char* name) {
    auto* icon = screen.findChild<QWidget*>(QLatin1String(name));
    if (icon == nullptr) {
        return;
    }
    const QPointF inside(10, 10);
    QMouseEvent move(QEvent::MouseMove, inside, icon->mapToGlobal(inside), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(icon, &move);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    art::initialise();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    toolkit::ScriptedToolkit toolkit;

    model::Build frost;
    frost.startCharacter(model::ClassId::Sorceress);
    sharedStart(frost);
    playTo(frost, 30,
           {kFrostNova, kIceBlast, {TreeId::SorceressCold, 4}, {TreeId::SorceressCold, 5}, kIceBolt});
    frost.setCharacterName("Frost Witch");

    document::PlanDocument document;
    document.startNew(model::ClassId::Sorceress);
    screens::SkillTreeScreen screen(document, toolkit);
    screen.show();
    sharedStart(document);
    playTo(document, 27, {kFireball, kInferno, kFireBolt, {TreeId::SorceressFire, 3}, kWarmth});
    screen.compareWith(frost.plan(), frost.plan().name);
    hover(screen, "img_SorceressFire(4)"); // Fireball
    // The history from a few entries before the two part.
    auto* history = screen.findChild<QListWidget*>(QStringLiteral("lb_SkillsPerLevel"));
    history->scrollToItem(history->item(6), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();

    const QString file = folder.filePath(QStringLiteral("compare.png"));
    if (!screen.grab().save(file)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}
