#include "Program.h"

#include <generator/RandomFillRun.h>
#include <generator/RandomGeneratorDialog.h>
#include <model/BuildCode.h>
#include <report/ReportReader.h>
#include <screens/common/CharacterOpener.h>
#include <screens/common/ScreenKit.h>
#include <stats/SkillStatsViewer.h>
#include <toolkit/ShownText.h>
#include <toolkit/Toolkit.h>
#include <toolkit/WindowPlace.h>

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QStyleFactory>
#include <QUrl>

#include <algorithm>
#include <art/Art.h>
#include <filesystem>
#include <system_error>

namespace skillwright::app {

namespace {

/// The most characters of a command line's argument a message shows.
constexpr std::size_t kArgumentShown = 80;
/// The most characters of a reference's name the comparison keeps.
constexpr std::size_t kNameShown = 200;

/// Where the replay of a code's plan stopped, told as a report's line is:
/// the point by its number and text, and why. Nothing when it did not stop.
std::optional<std::string> codeProblem(const model::Plan& plan,
                                       const std::optional<model::ReplayStop>& stop) {
    if (!stop) {
        return std::nullopt;
    }
    return "Point " + std::to_string(stop->entry + 1) + ": " + model::formatEntry(plan.history[stop->entry]) +
           "\r\n" + stop->reason;
}

/// "a Sorceress", "an Amazon".
std::string withArticle(model::ClassId classId) {
    const std::string_view name = model::classInfo(classId).name;
    return (name.front() == 'A' ? "an " : "a ") + std::string(name);
}

} // namespace

void applyLook(QApplication& app) {
    using screens::qcolor;
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
    }
    QPalette p = app.palette();
    p.setColor(QPalette::Window, qcolor(screens::kPanel));
    p.setColor(QPalette::WindowText, qcolor(screens::kParchment));
    p.setColor(QPalette::Base, qcolor(screens::kWell));
    p.setColor(QPalette::AlternateBase, qcolor(screens::kWellAlternate));
    p.setColor(QPalette::Text, qcolor(screens::kParchment));
    p.setColor(QPalette::PlaceholderText, qcolor(screens::kFadedText));
    p.setColor(QPalette::Button, qcolor(screens::kButtonFace));
    p.setColor(QPalette::ButtonText, qcolor(screens::kParchment));
    p.setColor(QPalette::Highlight, qcolor(screens::kSelection));
    p.setColor(QPalette::HighlightedText, qcolor(screens::kWhite));
    p.setColor(QPalette::ToolTipBase, qcolor(screens::kPanel));
    p.setColor(QPalette::ToolTipText, qcolor(screens::kParchment));
    p.setColor(QPalette::Light, qcolor(screens::kBevelLight));
    p.setColor(QPalette::Mid, qcolor(screens::kBevelMid));
    p.setColor(QPalette::Dark, qcolor(screens::kBevelDark));
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, role, qcolor(screens::kDisabledText));
    }
    QApplication::setPalette(p);
    // Our own text face everywhere a widget has no font of its own (message
    // and input boxes among them), so that no system face is loaded.
    art::initialise();
    QApplication::setFont(art::textFont(9));
}

Program::Program(document::PlanDocument& document, toolkit::Toolkit& toolkit)
    : m_document(document), m_toolkit(toolkit), m_menuTexts(document.build()), m_keeper(document, toolkit),
      m_start(toolkit) {
    QObject::connect(&m_start, &screens::StartScreen::classChosen, &m_start,
                     [this](model::ClassId classId) { openClass(classId, document::Origin::Nothing); });
    QObject::connect(&m_start, &screens::StartScreen::contactMenuRequested, &m_start,
                     [this](int person, QPoint globalPos) { menu().popupContactMenu(person, globalPos); });
    QObject::connect(&m_start, &screens::StartScreen::generatorRequested, &m_start,
                     [this](bool hideSelf) { openGenerator(hideSelf); });
    QObject::connect(&m_start, &screens::StartScreen::exitRequested, &m_start, [this] { endProgram(); });
    followOpener(m_start.characterOpener());
    QObject::connect(&m_start, &screens::StartScreen::continueRequested, &m_start,
                     [this](quint64 number) { continuePlan(number); });
    m_start.setContinueSource([this] { return m_keeper.offers(); });
    m_keeper.setListChanged([this] { m_start.refreshContinue(); });
    m_keeper.setKeepingChanged([this] {
        if (m_treeScreen) {
            m_treeScreen->setNotKeptMark(m_keeper.notKeptText());
        }
    });
}

Program::~Program() {
    closeSideWindows(); // before the document they follow
    delete m_library;
    closeSkillStats();
    delete m_treeScreen;
    delete m_generator;
}

void Program::start(const std::string& argument) {
    // The start screen's load step gives the quest entries their Normal captions.
    m_menuTexts.restoreNormalCaptions();
    m_start.load(argument.empty());
    if (!argument.empty() && !openArgument(argument)) {
        screens::showWithKeyboard(m_start);
    }
}

bool Program::openArgument(const std::string& argument) {
    // A file's address, as a desktop hands over a file for "%u".
    constexpr std::string_view kFileScheme = "file://";
    if (argument.size() > kFileScheme.size() &&
        QByteArray::fromStdString(argument.substr(0, kFileScheme.size())).toLower() == kFileScheme.data()) {
        const QUrl url(QString::fromUtf8(argument.c_str()));
        if (url.isLocalFile()) {
            return openCharacter(QFile::encodeName(url.toLocalFile()).toStdString());
        }
    }
    if (model::codeOfLink(argument) != argument) {
        return openCode(argument);
    }
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::path(argument), error)) {
        return openCharacter(argument);
    }
    const model::CodeReading reading = model::decodeBuildCode(argument);
    if (reading.plan || reading.refusal != model::CodeRefusal::NotACode) {
        return openCode(argument);
    }
    m_toolkit.messageBox("Skillwright cannot open \"" +
                             toolkit::quotedText(report::asUtf8(argument), kArgumentShown) +
                             "\": it is no saved character, build code or plan's link.",
                         "", toolkit::Icon::Critical, toolkit::Buttons::Ok);
    return false;
}

void Program::followOpener(screens::CharacterOpener& opener) {
    QObject::connect(&opener, &screens::CharacterOpener::commandRequested, &m_start,
                     [this](screens::ProgramCommand command) { runCommand(command); });
    QObject::connect(&opener, &screens::CharacterOpener::codeDropped, &m_start,
                     [this](const QString& text) { openCode(text.toStdString()); });
    QObject::connect(&opener, &screens::CharacterOpener::fileDropped, &m_start,
                     [this](const QByteArray& path) { openCharacter(path.toStdString()); });
}

void Program::askForCharacter() {
    const std::string path =
        m_toolkit.openFileName("Open Character", m_toolkit.reportFolder(), "Character reports (*.txt)");
    if (!path.empty()) {
        openCharacter(path);
    }
}

void Program::runCommand(screens::ProgramCommand command) {
    switch (command) {
    case screens::ProgramCommand::CopyBuildCode:
        if (m_treeScreen && m_treeScreen->isVisible()) {
            m_treeScreen->copyBuildCode();
        }
        return;
    case screens::ProgramCommand::PasteBuildCode:
        pasteCode();
        return;
    case screens::ProgramCommand::OpenCharacter:
        askForCharacter();
        return;
    case screens::ProgramCommand::CompareWith:
        // Its keys again end the comparison.
        if (m_treeScreen && m_treeScreen->comparing()) {
            m_treeScreen->stopComparing();
        } else if (m_treeScreen && m_treeScreen->isVisible()) {
            askForReference();
        }
        return;
    case screens::ProgramCommand::CompareWithCode:
        if (m_treeScreen && m_treeScreen->isVisible()) {
            if (const std::optional<std::string> text = clipboardCode()) {
                compareWithCode(*text);
            }
        }
        return;
    case screens::ProgramCommand::StopComparing:
        if (m_treeScreen) {
            m_treeScreen->stopComparing();
        }
        return;
    case screens::ProgramCommand::Notes:
        openNotes();
        return;
    case screens::ProgramCommand::Targets:
        openTargets();
        return;
    case screens::ProgramCommand::Library:
        openLibrary();
        return;
    case screens::ProgramCommand::Summary:
        openSummary();
        return;
    case screens::ProgramCommand::Attributes:
        openAttributes();
        return;
    case screens::ProgramCommand::SavePicture:
        if (m_treeScreen) {
            m_treeScreen->savePicture();
        }
        return;
    case screens::ProgramCommand::CopyPicture:
        if (m_treeScreen) {
            m_treeScreen->copyPicture();
        }
        return;
    case screens::ProgramCommand::ExportPdf:
        if (m_treeScreen) {
            m_treeScreen->exportPdf();
        }
        return;
    case screens::ProgramCommand::Print:
        if (m_treeScreen) {
            m_treeScreen->printSheet();
        }
        return;
    case screens::ProgramCommand::Save:
    case screens::ProgramCommand::Undo:
    case screens::ProgramCommand::Redo:
    case screens::ProgramCommand::ContinueLast:
    case screens::ProgramCommand::PreviousMilestone:
    case screens::ProgramCommand::NextMilestone:
    case screens::ProgramCommand::SetTarget:
    case screens::ProgramCommand::FillToTargets:
    case screens::ProgramCommand::CopyForForum:
    case screens::ProgramCommand::ShowKeys:
        return; // the window's own
    }
}

std::optional<std::string> Program::clipboardCode() {
    // Longer than any code, or no text at all: not even looked at.
    std::optional<std::string> text = m_toolkit.clipboardText(model::kMaxBuildCodeText);
    if (!text) {
        m_toolkit.messageBox(std::string(model::codeRefusalText(model::CodeRefusal::NotACode)), "",
                             toolkit::Icon::Critical, toolkit::Buttons::Ok);
    }
    return text;
}

void Program::pasteCode() {
    if (const std::optional<std::string> text = clipboardCode()) {
        openCode(*text);
    }
}

void Program::askForReference() {
    const std::string path =
        m_toolkit.openFileName("Compare With", m_toolkit.reportFolder(), "Character reports (*.txt)");
    if (!path.empty()) {
        compareWithCharacter(path);
    }
}

bool Program::compareWithCharacter(const std::string& path) {
    if (!m_treeScreen) {
        return false;
    }
    const report::ReportReading reading = report::readReport(path);
    if (!reading.report) {
        m_toolkit.messageBox(reading.error, "", toolkit::Icon::Critical, toolkit::Buttons::Ok);
        return false;
    }
    const report::Report& character = *reading.report;
    // A report without a name goes by its file's.
    const std::string name = !character.plan.name.empty()
                                 ? character.plan.name
                                 : report::asUtf8(std::filesystem::path(path).stem().string());
    return compareWithPlan(character.plan, name,
                           [&character](const std::optional<model::ReplayStop>& stop, int levelReached) {
                               return report::openingProblem(character, stop, levelReached);
                           });
}

std::optional<model::Plan> Program::planOfCode(const std::string& text) {
    model::CodeReading reading = model::decodeBuildCode(model::codeOfLink(text));
    if (!reading.plan) {
        m_toolkit.messageBox(std::string(model::codeRefusalText(reading.refusal)), "",
                             toolkit::Icon::Critical, toolkit::Buttons::Ok);
    }
    return std::move(reading.plan);
}

bool Program::compareWithCode(const std::string& text) {
    if (!m_treeScreen) {
        return false;
    }
    const std::optional<model::Plan> code = planOfCode(text);
    if (!code) {
        return false;
    }
    const model::Plan& plan = *code;
    return compareWithPlan(plan, plan.name.empty() ? std::string("Build code") : plan.name,
                           [&plan](const std::optional<model::ReplayStop>& stop, int /*levelReached*/) {
                               return codeProblem(plan, stop);
                           });
}

bool Program::compareWithPlan(const model::Plan& plan, const std::string& name,
                              const ReplayTeller& problemOf) {
    screens::SkillTreeScreen* screen = m_treeScreen;
    if (plan.classId != screen->classId()) {
        const std::string before = "Only " + withArticle(screen->classId()) + " can be compared with the " +
                                   std::string(model::classInfo(screen->classId()).name) + " on screen: \"";
        const std::string after = "\" is " + withArticle(plan.classId) + ".";
        // The name gets what room the line leaves, so that the reason is never cut off.
        m_toolkit.messageBox(
            before +
                toolkit::quotedText(name, toolkit::kMaxShownLineCharacters - before.size() - after.size()) +
                after,
            "", toolkit::Icon::Critical, toolkit::Buttons::Ok);
        return false;
    }
    // Replayed through the rules as an opening plan is, as a value of its
    // own: no screen, no journal and no SAVE follow it.
    model::StateReplay reference = model::replayPlan(plan);
    screen->compareWith(std::move(reference.plan), toolkit::quotedText(name, kNameShown));
    if (const std::optional<std::string> problem =
            problemOf(reference.stop, reference.state.characterLevel())) {
        m_toolkit.messageBox(*problem, "", toolkit::Icon::Critical, toolkit::Buttons::Ok);
    }
    return true;
}

bool Program::openCode(const std::string& text) {
    const std::optional<model::Plan> code = planOfCode(text);
    if (!code) {
        return false;
    }
    const model::Plan& plan = *code;
    return openPlan(
        {plan, document::Origin::Code, {}},
        [&plan](const std::optional<model::ReplayStop>& stop) { return codeProblem(plan, stop); });
}

bool Program::openPlan(const document::OpenedPlan& opened, const ProblemTeller& problemOf) {
    if (!mayReplacePlanOnScreen()) {
        return false;
    }
    const std::optional<model::ReplayStop> stop = putOnScreen(opened);
    if (const std::optional<std::string> problem = problemOf(stop)) {
        m_toolkit.messageBox(*problem, "", toolkit::Icon::Critical, toolkit::Buttons::Ok);
    }
    return true;
}

std::optional<model::ReplayStop> Program::putOnScreen(const document::OpenedPlan& opened) {
    closeTreeScreen();
    m_start.hide();
    const std::optional<model::ReplayStop> stop = m_document.open(opened);
    screens::showWithKeyboard(*createTreeScreen());
    return stop;
}

bool Program::openCharacter(const std::string& path) {
    const report::ReportReading reading = report::readReport(path);
    if (!reading.report) {
        m_toolkit.messageBox(reading.error, "", toolkit::Icon::Critical, toolkit::Buttons::Ok);
        return false;
    }
    const report::Report& character = *reading.report;
    const bool whole = !character.unreadLine && !character.unreadBlock &&
                       model::levelReached(character.plan) == character.level;
    const bool opened =
        openPlan({character.plan, document::Origin::Report, path, whole},
                 [&](const std::optional<model::ReplayStop>& stop) {
                     return report::openingProblem(character, stop, m_document.build().characterLevel());
                 });
    if (opened) {
        rememberOpened(path);
    }
    return opened;
}

namespace {
constexpr const char* kRecentSetting = "library/openedRecently";
constexpr std::size_t kMostRecent = 10;
} // namespace

std::vector<std::string> Program::openedRecently() {
    std::vector<std::string> paths;
    const std::string kept = m_toolkit.setting(kRecentSetting);
    for (std::size_t start = 0; start < kept.size() && paths.size() < kMostRecent;) {
        const std::size_t end = std::min(kept.find('\n', start), kept.size());
        if (end > start) {
            paths.push_back(kept.substr(start, end - start));
        }
        start = end + 1;
    }
    return paths;
}

void Program::rememberOpened(const std::string& path) {
    // Reports of the library's own folder are in the library already; a
    // path with a line break cannot be kept in the list.
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(path, error);
    std::filesystem::path folder =
        std::filesystem::absolute(m_toolkit.reportFolder(), error).lexically_normal();
    if (folder.filename().empty()) {
        folder = folder.parent_path(); // no trailing separator
    }
    const auto [folderEnd, fileAt] = std::mismatch(folder.begin(), folder.end(), file.begin(), file.end());
    if (error || folderEnd == folder.end() || path.find('\n') != std::string::npos) {
        return;
    }
    std::vector<std::string> paths = openedRecently();
    std::erase(paths, file.string());
    paths.insert(paths.begin(), file.string());
    std::string kept;
    for (std::size_t i = 0; i < paths.size() && i < kMostRecent; ++i) {
        kept += (i == 0 ? "" : "\n") + paths[i];
    }
    m_toolkit.setSetting(kRecentSetting, kept);
}

bool Program::mayReplacePlanOnScreen() {
    if (!m_document.isOpen() || !m_document.isModified()) {
        return true;
    }
    // The question tells where the points go: into the journal, when there
    // is one and it can be written, or nowhere.
    const bool kept = !m_toolkit.stateFolder().empty() && m_keeper.keepsNow();
    return m_toolkit.messageBox(
               kept ? "Replace the character on screen?\nIts points since the last save stay "
                      "in the journal: the arrow beside the scroll continues it (Ctrl+Shift+T)."
                    : "Replace the character on screen? Its points since the last save will "
                      "be lost.",
               "", toolkit::Icon::None, toolkit::Buttons::YesNoDefaultNo) == toolkit::Answer::Yes;
}

bool Program::mayLetPlanGo() {
    if (m_keeper.keepsNow() || !m_document.isOpen() || !m_document.isModified() ||
        m_document.plan().history.empty()) {
        return true;
    }
    return m_toolkit.messageBox("The journal cannot keep this character, so its points since the last save "
                                "will be lost. Leave it anyway?",
                                "", toolkit::Icon::None,
                                toolkit::Buttons::YesNoDefaultNo) == toolkit::Answer::Yes;
}

bool Program::continuePlan(std::uint64_t number) {
    if (!mayReplacePlanOnScreen()) {
        return false;
    }
    const bool continued = m_keeper.continuePlan(number, [this](const model::Plan& plan) {
        putOnScreen({plan, document::Origin::Journal, {}});
    });
    if (!continued) {
        m_toolkit.messageBox("This plan can no longer be read, so it cannot be continued.", "",
                             toolkit::Icon::Critical, toolkit::Buttons::Ok);
    }
    return continued;
}

screens::MenuHolder& Program::menu() {
    if (!m_menu) {
        m_menu = std::make_unique<screens::MenuHolder>(m_document, m_menuTexts, m_toolkit);
        QObject::connect(m_menu.get(), &screens::MenuHolder::skillStatsRequested, m_menu.get(),
                         [this] { openSkillStats(); });
        QObject::connect(m_menu.get(), &screens::MenuHolder::targetRequested, m_menu.get(), [this] {
            if (m_treeScreen && m_menu->rightClicked()) {
                m_treeScreen->askTarget(m_menu->rightClicked()->skill);
            }
        });
        QObject::connect(m_menu.get(), &screens::MenuHolder::commandChosen, m_menu.get(),
                         [this](screens::ProgramCommand command) { runCommand(command); });
    }
    return *m_menu;
}

void Program::stopFill() {
    m_fillStop.request_stop();
}

void Program::endProgram() {
    stopFill();
    m_keeper.planLeft();
    m_toolkit.endProgram();
}

void Program::returnKeyboard() {
    if (m_treeScreen && m_treeScreen->isVisible()) {
        screens::showWithKeyboard(*m_treeScreen);
    } else if (m_start.isVisible()) {
        screens::showWithKeyboard(m_start);
    }
}

screens::SkillTreeScreen* Program::openClass(model::ClassId classId, document::Origin origin) {
    closeTreeScreen();
    m_document.startNew(classId, origin);
    screens::SkillTreeScreen* screen = createTreeScreen();
    screens::showWithKeyboard(*screen);
    return screen;
}

void Program::closeTreeScreen() {
    stopFill();
    closeSkillStats(); // of the character going
    closeSideWindows();
    if (m_treeScreen) {
        // Its plan is not closed with it: what takes its place replaces the plan.
        QObject::disconnect(m_treeScreen, nullptr, &m_start, nullptr);
        m_treeScreen->setCloseGuard({});
        m_treeScreen->close();
        m_treeScreen = nullptr;
    }
}

screens::SkillTreeScreen* Program::createTreeScreen() {
    auto* screen = new screens::SkillTreeScreen(m_document, m_toolkit);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(screen, &screens::SkillTreeScreen::changeClassRequested, &m_start, [this] {
        if (!mayLetPlanGo()) {
            return;
        }
        closeTreeScreen();
        m_document.close();
        screens::showWithKeyboard(m_start);
    });
    // Closed by its window frame: its plan leaves, and nothing acts on it any more.
    QObject::connect(screen, &screens::SkillTreeScreen::windowClosed, &m_start, [this] {
        stopFill();
        m_document.close();
    });
    QObject::connect(screen, &screens::SkillTreeScreen::exitRequested, &m_start, [this] {
        if (mayLetPlanGo()) {
            endProgram();
        }
    });
    screen->setCloseGuard([this] { return mayLetPlanGo(); });
    screen->setNotKeptMark(m_keeper.notKeptText());
    QObject::connect(screen, &screens::SkillTreeScreen::skillMenuRequested, &m_start,
                     [this](const model::BuildState& shown, model::SkillRef skill, QPoint globalPos,
                            bool past) { menu().popupSkillMenu(shown, skill, globalPos, past); });
    QObject::connect(screen, &screens::SkillTreeScreen::commandMenuRequested, &m_start,
                     [this, screen](QPoint globalPos) {
                         menu().popupCommandMenu(globalPos, [screen](screens::ProgramCommand command) {
                             // Another reference takes the place of this one by its code, or after Stop.
                             if (command == screens::ProgramCommand::CompareWith) {
                                 return !screen->comparing();
                             }
                             return command != screens::ProgramCommand::StopComparing || screen->comparing();
                         });
                     });
    m_treeScreen = screen;
    followOpener(screen->characterOpener());
    return screen;
}

void Program::generate(const model::GenerationPlan& plan) {
    openClass(plan.classId, document::Origin::Generator);
    // The player watches, and may act, between two generated points; what
    // replaces this plan stops the fill through m_fillStop.
    m_fillStop = std::stop_source();
    generator::fillRandomly(m_document, m_toolkit, plan.level, m_fillStop.get_token());
}

void Program::openGenerator(bool hideStartScreen) {
    // A new character is on its way: the one being generated stops where it is.
    stopFill();
    if (hideStartScreen) {
        m_start.hide();
    }
    if (m_generator && !m_generator->isVisible()) {
        delete m_generator; // closed and waiting to go: every opening starts afresh
    }
    if (!m_generator) {
        auto* dialog = new generator::RandomGeneratorDialog(m_toolkit);
        QObject::connect(dialog, &generator::RandomGeneratorDialog::generationConfirmed, &m_start,
                         [this](const model::GenerationPlan& plan) { generate(plan); });
        QObject::connect(dialog, &generator::RandomGeneratorDialog::cancelled, &m_start,
                         [this] { screens::showWithKeyboard(m_start); });
        m_generator = dialog;
    }
    screens::showWithKeyboard(*m_generator);
}

void Program::closeSkillStats() {
    if (m_viewer) {
        QObject::disconnect(m_viewer, &QObject::destroyed, &m_start, nullptr);
        delete m_viewer;
    }
}

void Program::closeSideWindows() {
    delete m_notes;
    delete m_targets;
    delete m_summary;
    delete m_attributes;
}

void Program::returnKeyboardWhenClosed(QWidget& window) {
    // As no window manager does for us.
    QObject::connect(&window, &QObject::destroyed, &m_start, [this] { returnKeyboard(); });
}

void Program::standBeside(QWidget& window, const QWidget& screen, int below) {
    // On the tree screen's right where the desktop has room, else beside it
    // where it covers the least of it.
    toolkit::placeRightOf(window, screen, 8, below);
    returnKeyboardWhenClosed(window);
}

void Program::openNotes() {
    screens::SkillTreeScreen* screen = m_treeScreen;
    if (screen == nullptr || !screen->isVisible()) {
        return;
    }
    if (!m_notes) {
        m_notes = new screens::NotesWindow(m_document, m_toolkit);
        m_notes->setAttribute(Qt::WA_DeleteOnClose);
        m_notes->showPast(screen->pastEntry());
        QObject::connect(screen, &screens::SkillTreeScreen::pastChanged, m_notes,
                         [this, screen] { m_notes->showPast(screen->pastEntry()); });
        standBeside(*m_notes, *screen, 0);
    }
    screens::showWithKeyboard(*m_notes);
}

void Program::openTargets() {
    screens::SkillTreeScreen* screen = m_treeScreen;
    if (screen == nullptr || !screen->isVisible()) {
        return;
    }
    if (!m_targets) {
        m_targets = new screens::TargetsWindow(m_document, [this] {
            if (m_treeScreen) {
                m_treeScreen->fillToTargets();
            }
        });
        m_targets->setAttribute(Qt::WA_DeleteOnClose);
        standBeside(*m_targets, *screen, m_notes ? 400 : 0);
    }
    screens::showWithKeyboard(*m_targets);
}

void Program::openLibrary() {
    if (!m_library) {
        m_library = new screens::LibraryWindow(m_toolkit.reportFolder(), m_toolkit);
        m_library->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(m_library, &screens::LibraryWindow::openRequested, m_library,
                         [this](const QString& path) { openCharacter(path.toStdString()); });
        QObject::connect(m_library, &screens::LibraryWindow::compareRequested, m_library,
                         [this](const QString& path) {
                             if (m_treeScreen && m_treeScreen->isVisible()) {
                                 compareWithCharacter(path.toStdString());
                             }
                         });
        QObject::connect(m_library, &screens::LibraryWindow::continueRequested, m_library,
                         [this](quint64 number) { continuePlan(number); });
        // Over the middle of the screen in front, inside the desktop.
        const bool onTree = m_treeScreen != nullptr && m_treeScreen->isVisible();
        toolkit::placeCentred(*m_library, onTree ? static_cast<QWidget*>(m_treeScreen) : &m_start);
        returnKeyboardWhenClosed(*m_library);
    }
    m_library->setUnsaved(m_keeper.offers());
    m_library->setRecent(openedRecently());
    screens::showWithKeyboard(*m_library);
}

void Program::openSummary() {
    screens::SkillTreeScreen* screen = m_treeScreen;
    if (screen == nullptr || !screen->isVisible()) {
        return;
    }
    if (!m_summary) {
        m_summary = new screens::SummaryWindow(m_document, m_toolkit, [this] {
            if (m_treeScreen) {
                m_treeScreen->copyForForum();
            }
        });
        m_summary->setAttribute(Qt::WA_DeleteOnClose);
        m_summary->showPast(screen->pastEntry());
        QObject::connect(screen, &screens::SkillTreeScreen::pastChanged, m_summary,
                         [this, screen] { m_summary->showPast(screen->pastEntry()); });
        // On the tree screen's left, where the notes and targets windows do not stand.
        const QRect tree = screen->frameGeometry();
        m_summary->move(std::max(0, tree.left() - m_summary->width() - 8), tree.top());
        returnKeyboardWhenClosed(*m_summary);
    }
    screens::showWithKeyboard(*m_summary);
}

void Program::openAttributes() {
    screens::SkillTreeScreen* screen = m_treeScreen;
    if (screen == nullptr || !screen->isVisible()) {
        return;
    }
    if (!m_attributes) {
        m_attributes = new screens::AttributesWindow(m_document, m_toolkit);
        m_attributes->setAttribute(Qt::WA_DeleteOnClose);
        m_attributes->showPast(screen->pastEntry());
        m_attributes->setReference(screen->reference());
        QObject::connect(screen, &screens::SkillTreeScreen::pastChanged, m_attributes,
                         [this, screen] { m_attributes->showPast(screen->pastEntry()); });
        QObject::connect(screen, &screens::SkillTreeScreen::referenceChanged, m_attributes,
                         [this, screen] { m_attributes->setReference(screen->reference()); });
        standBeside(*m_attributes, *screen, 0);
    }
    screens::showWithKeyboard(*m_attributes);
}

void Program::openSkillStats() {
    const std::optional<screens::MenuHolder::RightClickedSkill> skill = menu().rightClicked();
    if (!skill) {
        return;
    }
    // Each opening shows the skill just right-clicked, in a viewer of its own.
    closeSkillStats();
    m_viewer = new stats::SkillStatsViewer();
    m_viewer->load(skill->skill, skill->points);
    // Closed, it leaves no window without the keyboard.
    returnKeyboardWhenClosed(*m_viewer);
    // Beside the tree screen, so that its skills stay in reach.
    if (m_treeScreen) {
        toolkit::placeBeside(*m_viewer, *m_treeScreen);
    }
    screens::showWithKeyboard(*m_viewer);
}

} // namespace skillwright::app
