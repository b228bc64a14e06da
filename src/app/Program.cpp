#include "Program.h"

namespace skillwright::app {

Program::Program(model::Build& build, toolkit::Toolkit& toolkit)
    : m_build(build), m_toolkit(toolkit), m_start(build, toolkit) {
    m_start.setOpenClass([this](model::ClassId classId) { openClass(classId); });
    // The random character generator is not part of the program yet.
    m_start.setOpenGenerator([](bool) {});
    m_start.setPopupContactMenu(
        [this](int person, QPoint globalPos) { menu().popupContactMenu(person, globalPos); });
}

Program::~Program() {
    delete m_treeScreen;
}

void Program::start() {
    m_start.Form_Load();
}

screens::frm_Menu& Program::menu() {
    if (!m_menu) {
        m_menu = std::make_unique<screens::frm_Menu>(m_build, m_toolkit);
    }
    return *m_menu;
}

void Program::openClass(model::ClassId classId) {
    if (m_treeScreen) {
        m_treeScreen->close();
    }
    auto* screen = new screens::SkillTreeScreen(classId, m_build, m_toolkit);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->setSkillMenu(&menu());
    QObject::connect(screen, &screens::SkillTreeScreen::changeClassRequested, &m_start, [this, screen] {
        m_start.show();
        screen->close();
    });
    m_treeScreen = screen;
    screen->show();
}

} // namespace skillwright::app
