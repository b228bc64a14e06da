#include "NotesWindow.h"

#include <screens/common/ScreenKit.h>
#include <toolkit/ShownText.h>
#include <toolkit/Toolkit.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <art/Art.h>
#include <chrono>

namespace skillwright::screens {

namespace {

QPlainTextEdit* noteEditor(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* editor = new QPlainTextEdit(parent);
    editor->setObjectName(QLatin1String(name));
    editor->setAccessibleName(accessibleName);
    editor->setTabChangesFocus(true);
    editor->setFont(art::textFont(10));
    return editor;
}

} // namespace

NotesWindow::NotesWindow(document::PlanDocument& document, toolkit::Toolkit& toolkit, QWidget* parent)
    : QWidget(parent, Qt::Window), m_document(document), m_toolkit(toolkit), m_clock([] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now().time_since_epoch())
              .count();
      }) {
    dressSideWindow(*this, "frm_Notes", QStringLiteral("Notes"));
    resize(420, 380);

    auto* layout = new QVBoxLayout(this);
    auto* heading =
        new QLabel(QStringLiteral("The plan's note: what it is for, its gear, where it came from"), this);
    heading->setObjectName(QStringLiteral("lbl_PlanNote"));
    heading->setFont(art::captionFont(10, QFont::Bold));
    layout->addWidget(heading);
    m_planNote = noteEditor(this, "txt_PlanNote", QStringLiteral("The plan's note"));
    m_planNote->setPlaceholderText(QStringLiteral("Plain text, kept with the plan when it is saved."));
    layout->addWidget(m_planNote, 3);
    m_milestoneName = new QLabel(this);
    m_milestoneName->setObjectName(QStringLiteral("lbl_Milestone"));
    m_milestoneName->setTextFormat(Qt::PlainText);
    m_milestoneName->setFont(art::captionFont(10, QFont::Bold));
    layout->addWidget(m_milestoneName);
    m_milestoneNote = noteEditor(this, "txt_MilestoneNote", QStringLiteral("The milestone's note"));
    m_milestoneNote->setPlaceholderText(QStringLiteral("What to do at this stage: quests, gear, a respec."));
    layout->addWidget(m_milestoneNote, 2);

    connect(m_planNote, &QPlainTextEdit::textChanged, this, [this] { typed(*m_planNote); });
    connect(m_milestoneNote, &QPlainTextEdit::textChanged, this, [this] { typed(*m_milestoneNote); });
    m_document.addListener(*this);
    mirror();
}

NotesWindow::~NotesWindow() {
    m_document.removeListener(*this);
}

void NotesWindow::showPast(std::optional<std::size_t> entry) {
    m_entry = entry;
    m_lastTyped = m_clock() - kTypingPause; // another note: another edit
    mirror();
}

const model::Milestone* NotesWindow::milestone() const {
    return m_entry ? model::milestoneAt(m_document.milestones(), *m_entry) : nullptr;
}

void NotesWindow::mirror() {
    m_mirroring = true;
    const auto show = [](QPlainTextEdit& editor, const std::string& text) {
        const QString wanted = QString::fromStdString(text);
        if (editor.toPlainText() != wanted) {
            editor.setPlainText(wanted);
        }
    };
    show(*m_planNote, m_document.note());
    const model::Milestone* shown = milestone();
    m_milestoneName->setVisible(shown != nullptr);
    m_milestoneNote->setVisible(shown != nullptr);
    if (shown != nullptr) {
        m_milestoneName->setText(QStringLiteral("Milestone: ") +
                                 QString::fromStdString(toolkit::quotedText(shown->name, 60)));
        show(*m_milestoneNote, shown->note);
    }
    m_mirroring = false;
}

void NotesWindow::typed(QPlainTextEdit& editor) {
    if (m_mirroring) {
        return;
    }
    const std::int64_t now = m_clock();
    const bool typingOn = now - m_lastTyped < kTypingPause;
    m_lastTyped = now;
    const std::string text = editor.toPlainText().toStdString();
    const std::optional<std::string> why =
        &editor == m_planNote ? m_document.setNote(text, typingOn)
                              : m_document.setMilestoneNote(m_entry.value_or(0), text, typingOn);
    if (why) {
        mirror(); // the note as it was: nothing of it is lost
        m_toolkit.messageBox(*why, "Notes", toolkit::Icon::Information, toolkit::Buttons::Ok);
    }
}

void NotesWindow::documentChanged(const document::PlanDocument& /*document*/,
                                  const document::DocumentChange& change) {
    if (change.kind == document::DocumentChange::Kind::Closed) {
        m_entry.reset();
    }
    mirror();
}

} // namespace skillwright::screens
