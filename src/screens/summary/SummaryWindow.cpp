#include "SummaryWindow.h"

#include <screens/common/ScreenKit.h>
#include <toolkit/ShownText.h>
#include <toolkit/Toolkit.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <art/Art.h>
#include <presentation/ForumText.h>

namespace skillwright::screens {

presentation::PlanSummary shownSummary(presentation::PlanSummary summary) {
    summary.name = toolkit::quotedText(summary.name, 100);
    for (presentation::MilestoneSummary& milestone : summary.milestones) {
        milestone.name = toolkit::quotedText(milestone.name, 100);
    }
    return summary;
}

SummaryWindow::SummaryWindow(document::PlanDocument& document, toolkit::Toolkit& toolkit,
                             std::function<void()> copyForForum, QWidget* parent)
    : QWidget(parent, Qt::Window), m_document(document), m_toolkit(toolkit) {
    dressSideWindow(*this, "frm_Summary", QStringLiteral("Summary"));
    resize(520, 560);

    auto* layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txt_Summary"));
    m_text->setAccessibleName(QStringLiteral("Summary of the plan"));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setFont(art::textFont(10));
    layout->addWidget(m_text);

    auto* row = new QHBoxLayout;
    auto* formLabel = new QLabel(QStringLiteral("Forum text as:"), this);
    row->addWidget(formLabel);
    m_format = new QComboBox(this);
    m_format->setObjectName(QStringLiteral("cmb_ForumFormat"));
    formLabel->setBuddy(m_format);
    for (const auto format : {presentation::ForumFormat::BBCode, presentation::ForumFormat::Markdown,
                              presentation::ForumFormat::PlainText}) {
        m_format->addItem(QString::fromUtf8(presentation::forumFormatName(format)));
    }
    const std::string setting(presentation::kForumFormatSetting);
    m_format->setCurrentIndex(static_cast<int>(presentation::forumFormatNamed(m_toolkit.setting(setting))));
    connect(m_format, &QComboBox::currentIndexChanged, this, [this, setting](int index) {
        m_toolkit.setSetting(setting, std::string(presentation::forumFormatName(
                                          static_cast<presentation::ForumFormat>(index))));
    });
    row->addWidget(m_format);
    row->addStretch();
    auto* copy = new QPushButton(QStringLiteral("Copy for Forum"), this);
    copy->setObjectName(QStringLiteral("cmd_CopyForForum"));
    connect(copy, &QPushButton::clicked, this, [copyForForum = std::move(copyForForum)] { copyForForum(); });
    row->addWidget(copy);
    layout->addLayout(row);

    m_document.addListener(*this);
    mirror();
}

SummaryWindow::~SummaryWindow() {
    m_document.removeListener(*this);
}

void SummaryWindow::showPast(std::optional<std::size_t> entry) {
    m_entry = entry;
    mirror();
}

void SummaryWindow::mirror() {
    if (!m_document.isOpen()) {
        m_summary = {};
        m_text->clear();
        return;
    }
    m_summary = presentation::summarize(m_document.plan(), m_entry ? *m_entry + 1 : SIZE_MAX);
    const QString text = QString::fromStdString(presentation::summaryText(shownSummary(m_summary)));
    if (m_text->toPlainText() != text) {
        m_text->setPlainText(text);
    }
}

void SummaryWindow::documentChanged(const document::PlanDocument& /*document*/,
                                    const document::DocumentChange& change) {
    if (change.kind == document::DocumentChange::Kind::Closed) {
        m_entry.reset();
    }
    mirror();
}

} // namespace skillwright::screens
