#include "TargetsWindow.h"

#include <screens/common/ScreenKit.h>

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <art/Art.h>
#include <presentation/Presentation.h>

namespace skillwright::screens {

TargetsWindow::TargetsWindow(document::PlanDocument& document, std::function<void()> fill, QWidget* parent)
    : QWidget(parent, Qt::Window), m_document(document) {
    dressSideWindow(*this, "frm_Targets", QStringLiteral("Targets"));
    resize(340, 360);

    auto* layout = new QVBoxLayout(this);
    auto* heading =
        new QLabel(QStringLiteral("The points the skills are to end with, first served first"), this);
    heading->setObjectName(QStringLiteral("lbl_TargetsHeading"));
    heading->setFont(art::captionFont(10, QFont::Bold));
    heading->setWordWrap(true);
    layout->addWidget(heading);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lst_Targets"));
    m_list->setAccessibleName(QStringLiteral("Targets, first served first"));
    m_list->setFont(art::textFont(10));
    layout->addWidget(m_list, 1);
    m_empty = new QLabel(QStringLiteral("No targets yet. Alt+click a skill, or right-click it and choose "
                                        "\"Set Target...\"."),
                         this);
    m_empty->setObjectName(QStringLiteral("lbl_NoTargets"));
    m_empty->setWordWrap(true);
    layout->addWidget(m_empty);
    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* name, const QString& caption, const QString& spoken) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(spoken);
        buttons->addWidget(b);
        return b;
    };
    m_up = button("cmd_TargetEarlier", QStringLiteral("Earlier"), QStringLiteral("Serve earlier (Alt+Up)"));
    m_down = button("cmd_TargetLater", QStringLiteral("Later"), QStringLiteral("Serve later (Alt+Down)"));
    m_remove =
        button("cmd_RemoveTarget", QStringLiteral("Remove"), QStringLiteral("Remove the target (Delete)"));
    m_fill = button("cmd_FillToTargets", QStringLiteral("Fill to Targets"),
                    QStringLiteral("Fill to Targets (Ctrl+Shift+F)"));
    layout->addLayout(buttons);
    // The keys work wherever the keyboard is in the window, the list too.
    const auto key = [this](const QKeySequence& keys, auto handler) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    key(QKeySequence(Qt::ALT | Qt::Key_Up), [this] { moveTarget(-1); });
    key(QKeySequence(Qt::ALT | Qt::Key_Down), [this] { moveTarget(1); });
    key(QKeySequence(Qt::Key_Delete), [this] { remove(); });
    connect(m_up, &QPushButton::clicked, this, [this] { moveTarget(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveTarget(1); });
    connect(m_remove, &QPushButton::clicked, this, [this] { remove(); });
    connect(m_fill, &QPushButton::clicked, this, [fill = std::move(fill)] { fill(); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { mirror(); });
    m_document.addListener(*this);
    mirror();
}

TargetsWindow::~TargetsWindow() {
    m_document.removeListener(*this);
}

void TargetsWindow::documentChanged(const document::PlanDocument& /*document*/,
                                    const document::DocumentChange& /*change*/) {
    mirror();
}

void TargetsWindow::mirror() {
    const std::vector<model::Target>& targets = m_document.targets();
    const std::vector<std::int16_t> metAt =
        m_document.isOpen() ? presentation::targetsMetAt(m_document.plan()) : std::vector<std::int16_t>{};
    const int current = m_list->currentRow();
    const QSignalBlocker quiet(m_list);
    if (m_list->count() != static_cast<int>(targets.size())) {
        m_list->clear();
        for (std::size_t i = 0; i < targets.size(); ++i) {
            m_list->addItem(QString());
        }
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const QString met =
            metAt[i] != 0 ? QStringLiteral("met at level %1").arg(metAt[i]) : QStringLiteral("not met yet");
        m_list->item(static_cast<int>(i))
            ->setText(QStringLiteral("%1. %2  (%3)")
                          .arg(i + 1)
                          .arg(QString::fromStdString(model::formatTarget(targets[i])), met));
    }
    m_list->setCurrentRow(std::min(current, m_list->count() - 1));
    const int row = m_list->currentRow();
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_list->count());
    m_remove->setEnabled(row >= 0);
    m_fill->setEnabled(!targets.empty());
    m_empty->setVisible(targets.empty());
}

void TargetsWindow::moveTarget(int by) {
    const int row = m_list->currentRow();
    std::vector<model::Target> targets = m_document.targets();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= static_cast<int>(targets.size())) {
        return;
    }
    std::swap(targets[static_cast<std::size_t>(row)], targets[static_cast<std::size_t>(to)]);
    m_list->setCurrentRow(to);
    static_cast<void>(m_document.setTargets(std::move(targets)));
}

void TargetsWindow::remove() {
    const int row = m_list->currentRow();
    std::vector<model::Target> targets = m_document.targets();
    if (row < 0 || row >= static_cast<int>(targets.size())) {
        return;
    }
    targets.erase(targets.begin() + row);
    static_cast<void>(m_document.setTargets(std::move(targets)));
}

} // namespace skillwright::screens
