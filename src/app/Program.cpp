#include "Program.h"

#include <generator/frm_RandomGenerator.h>
#include <model/RandomGeneration.h>
#include <screens/common/ScreenKit.h>
#include <stats/SkillStatsViewer.h>

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

#include <art/Art.h>

namespace skillwright::app {

void applyLook(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
    }
    const QColor parchment(255, 239, 176);
    const QColor panel(33, 27, 21);
    QPalette p = app.palette();
    p.setColor(QPalette::Window, panel);
    p.setColor(QPalette::WindowText, parchment);
    p.setColor(QPalette::Base, QColor(14, 11, 9));
    p.setColor(QPalette::AlternateBase, QColor(26, 21, 16));
    p.setColor(QPalette::Text, parchment);
    p.setColor(QPalette::PlaceholderText, QColor(150, 135, 110));
    p.setColor(QPalette::Button, QColor(48, 39, 29));
    p.setColor(QPalette::ButtonText, parchment);
    p.setColor(QPalette::Highlight, QColor(122, 90, 42));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, panel);
    p.setColor(QPalette::ToolTipText, parchment);
    p.setColor(QPalette::Light, QColor(90, 74, 56));
    p.setColor(QPalette::Mid, QColor(60, 49, 37));
    p.setColor(QPalette::Dark, QColor(20, 16, 12));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 110, 95));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 110, 95));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 110, 95));
    QApplication::setPalette(p);
    // Our own text face everywhere a widget has no font of its own (message
    // and input boxes among them), so that no system face is loaded.
    art::initialise();
    QApplication::setFont(art::textFont(9));
}

Program::Program(model::Build& build, toolkit::Toolkit& toolkit)
    : m_build(build), m_toolkit(toolkit), m_menuTexts(build), m_start(m_menuTexts, toolkit) {
    QObject::connect(&m_start, &screens::frm_MainSelect::classChosen, &m_start,
                     [this](model::ClassId classId) { openClass(classId); });
    QObject::connect(&m_start, &screens::frm_MainSelect::contactMenuRequested, &m_start,
                     [this](int person, QPoint globalPos) { menu().popupContactMenu(person, globalPos); });
    QObject::connect(&m_start, &screens::frm_MainSelect::generatorRequested, &m_start,
                     [this](bool hideSelf) { openGenerator(hideSelf); });
}

Program::~Program() {
    delete m_treeScreen;
    delete m_generator;
    delete screens::loadedForm("frm_SkillStats");
}

void Program::start() {
    m_start.Form_Load();
}

screens::frm_Menu& Program::menu() {
    if (!m_menu) {
        m_menu = std::make_unique<screens::frm_Menu>(m_build, m_menuTexts, m_toolkit);
        QObject::connect(m_menu.get(), &screens::frm_Menu::skillStatsRequested, m_menu.get(),
                         [this] { openSkillStats(); });
    }
    return *m_menu;
}

void Program::openClass(model::ClassId classId) {
    if (m_treeScreen) {
        m_treeScreen->close();
    }
    auto* screen = new screens::SkillTreeScreen(classId, m_build, m_toolkit);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(screen, &screens::SkillTreeScreen::changeClassRequested, &m_start, [this, screen] {
        m_start.show();
        screen->close();
    });
    QObject::connect(screen, &screens::SkillTreeScreen::skillMenuRequested, &m_start,
                     [this](QPoint globalPos) { menu().popupSkillMenu(globalPos); });
    m_treeScreen = screen;
    screen->show();
    // The screen's load step fills it when a generation is pending; the
    // player watches, and may act, between two generated points.
    model::RunRandomFill(m_build, m_toolkit);
}

void Program::openGenerator(bool hideStartScreen) {
    if (hideStartScreen) {
        m_start.hide();
    }
    if (m_generator && !m_generator->isVisible()) {
        delete m_generator; // closed and waiting to go: every opening starts afresh
    }
    if (!m_generator) {
        auto* dialog = new generator::frm_RandomGenerator(m_build, m_toolkit);
        QObject::connect(dialog, &generator::frm_RandomGenerator::generationConfirmed, &m_start,
                         [this](model::ClassId classId) { openClass(classId); });
        QObject::connect(dialog, &generator::frm_RandomGenerator::cancelled, &m_start,
                         [this] { m_start.show(); });
        m_generator = dialog;
    }
    m_generator->show();
    m_generator->activateWindow();
}

void Program::openSkillStats() {
    // Each opening shows the skill just right-clicked, in a viewer of its own.
    if (QWidget* open = screens::loadedForm("frm_SkillStats")) { // IsFormLoaded
        delete open;
    }
    auto* viewer = new stats::SkillStatsViewer();
    const model::BuildVariables& v = m_build.variables();
    if (const auto tree = model::treeByCode(v.ActiveTree)) {
        viewer->load(model::SkillRef{*tree, v.ActiveSkillIndex}, v.ActiveSkillPoints);
    }
    viewer->show();
}

} // namespace skillwright::app
