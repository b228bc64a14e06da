#include <model/Build.h>
#include <screens/menu/frm_Menu.h>
#include <screens/select/frm_MainSelect.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/QtToolkit.h>

#include <QApplication>
#include <QPointer>

#include <art/Art.h>
#include <memory>

using namespace skillwright;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    art::initialise();
    toolkit::QtToolkit toolkit;
    model::Build build(toolkit);

    screens::frm_MainSelect start(build, toolkit);
    QPointer<screens::SkillTreeScreen> treeScreen;
    std::unique_ptr<screens::frm_Menu> menu; // created on first use

    start.setOpenClass([&](model::ClassId classId) {
        // At most one skill tree screen: a class change closes the old one first.
        if (treeScreen) {
            treeScreen->close();
        }
        auto* screen = new screens::SkillTreeScreen(classId, build, toolkit);
        screen->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(screen, &screens::SkillTreeScreen::changeClassRequested, &start, [&start, screen] {
            start.show();
            screen->close();
        });
        treeScreen = screen;
        screen->show();
    });
    // The random character generator is not part of the program yet.
    start.setOpenGenerator([](bool) {});
    start.setPopupContactMenu([&](int person, QPoint globalPos) {
        if (!menu) {
            menu = std::make_unique<screens::frm_Menu>(build, toolkit);
        }
        menu->popupContactMenu(person, globalPos);
    });

    start.Form_Load();
    return QApplication::exec();
}
