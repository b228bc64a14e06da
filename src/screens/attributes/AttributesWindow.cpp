#include "AttributesWindow.h"

#include <screens/common/ScreenKit.h>
#include <stats/ViewerColours.h>
#include <toolkit/Toolkit.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <art/Art.h>
#include <presentation/AttributeTexts.h>

namespace skillwright::screens {

namespace {

constexpr std::array<const char*, 8> kColumnTitles{"Level", "Str",  "Dex",  "Vit",
                                                   "Ene",   "Life", "Mana", "Stam"};
const QColor kLifeColour{214, 72, 56};
const QColor kManaColour{92, 128, 232};

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const QFont& font) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setFont(font);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setFont(art::textFont(9));
    return b;
}

/// The character level reached after the first `entries` entries of `history`.
int levelAfter(const std::vector<model::HistoryEntry>& history, std::size_t entries) {
    entries = std::min(entries, history.size());
    return 1 + static_cast<int>(
                   std::count_if(history.begin(), history.begin() + static_cast<std::ptrdiff_t>(entries),
                                 [](const model::HistoryEntry& e) { return model::raisesLevel(e.kind); }));
}

} // namespace

/// Life and mana over levels 1 to 99, in long dashes as the statistics
/// viewer draws figures carried back, the shown level marked.
class LifeManaPlot final : public QWidget {
public:
    explicit LifeManaPlot(QWidget* parent) : QWidget(parent) { setMinimumSize(260, 140); }

    void setFigures(std::vector<model::CharacterFigures> figures, int level) {
        m_figures = std::move(figures);
        m_level = level;
        update();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF area = QRectF(rect()).adjusted(34, 10, -8, -18);
        painter.fillRect(rect(), qcolor(kWell));
        painter.setPen(QPen(stats::colours::kPlotGuide, 1));
        painter.drawRect(area);
        if (m_figures.empty()) {
            return;
        }
        int most = 1;
        for (const model::CharacterFigures& f : m_figures) {
            most = std::max({most, f.life, f.mana});
        }
        const auto x = [&area](int level) { return area.left() + area.width() * (level - 1) / 98.0; };
        const auto y = [&area, most](int value) { return area.bottom() - area.height() * value / most; };
        painter.setFont(art::textFont(8));
        painter.setPen(qcolor(kFadedText));
        painter.drawText(QRectF(0, area.top() - 6, 30, 12), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(most));
        painter.drawText(QRectF(0, area.bottom() - 6, 30, 12), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("0"));
        for (const int level : {1, 25, 50, 75, 99}) {
            painter.drawText(QRectF(x(level) - 15, area.bottom() + 3, 30, 12), Qt::AlignCenter,
                             QString::number(level));
        }
        // The shown level.
        painter.setPen(QPen(stats::colours::kMarkedGlow, 3));
        painter.drawLine(QPointF(x(m_level), area.top()), QPointF(x(m_level), area.bottom()));
        for (const auto& [colour, life] : {std::pair{kLifeColour, true}, std::pair{kManaColour, false}}) {
            QPainterPath path;
            for (const model::CharacterFigures& f : m_figures) {
                const QPointF p(x(f.level), y(life ? f.life : f.mana));
                f.level == 1 ? path.moveTo(p) : path.lineTo(p);
            }
            QPen pen(colour, 2);
            pen.setDashPattern({7, 3}); // carried back: long dashes
            painter.setPen(pen);
            painter.drawPath(path);
            const model::CharacterFigures& at = m_figures[static_cast<std::size_t>(m_level - 1)];
            painter.setBrush(colour);
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(QPointF(x(m_level), y(life ? at.life : at.mana)), 3.5, 3.5);
        }
        painter.setPen(kLifeColour);
        painter.drawText(QPointF(area.left() + 6, area.top() + 12), QStringLiteral("Life"));
        painter.setPen(kManaColour);
        painter.drawText(QPointF(area.left() + 40, area.top() + 12), QStringLiteral("Mana"));
    }

private:
    std::vector<model::CharacterFigures> m_figures;
    int m_level = 1;
};

AttributesWindow::AttributesWindow(document::PlanDocument& document, toolkit::Toolkit& toolkit,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_document(document), m_toolkit(toolkit) {
    dressSideWindow(*this, "frm_Attributes", QStringLiteral("Attributes"));
    setFont(art::textFont(9));

    auto* columns = new QHBoxLayout(this);
    columns->setSpacing(14);
    createEditors();
    createFigures();
    createTable();
    auto* left = new QVBoxLayout;
    auto* middle = new QVBoxLayout;
    columns->addLayout(left, 0);
    columns->addLayout(middle, 0);
    columns->addWidget(m_table, 1);
    // The editors, top to bottom.
    left->addWidget(findChild<QLabel*>(QStringLiteral("lbl_TargetsHeading")));
    left->addWidget(m_targets, 1);
    auto* adding = new QHBoxLayout;
    adding->addWidget(m_targetAttribute);
    adding->addWidget(m_targetValue);
    adding->addWidget(findChild<QPushButton*>(QStringLiteral("cmd_AddTarget")));
    left->addLayout(adding);
    auto* moving = new QHBoxLayout;
    for (const char* name : {"cmd_TargetUp", "cmd_TargetDown", "cmd_RemoveTarget"}) {
        moving->addWidget(findChild<QPushButton*>(QLatin1String(name)));
    }
    left->addLayout(moving);
    left->addWidget(findChild<QLabel*>(QStringLiteral("lbl_RestHeading")));
    auto* rest = new QGridLayout;
    for (std::size_t a = 0; a < m_rest.size(); ++a) {
        rest->addWidget(m_rest[a], static_cast<int>(a / 2), static_cast<int>(a % 2));
    }
    left->addLayout(rest);
    left->addWidget(findChild<QLabel*>(QStringLiteral("lbl_QuestsHeading")));
    auto* quests = new QGridLayout;
    for (std::size_t d = 0; d < model::kDifficulties; ++d) {
        quests->addWidget(label(this, {}, text(model::kDifficultyNames[d]), art::textFont(8)), 0,
                          static_cast<int>(d) + 1, Qt::AlignCenter);
        quests->addWidget(m_tome[d], 1, static_cast<int>(d) + 1);
        quests->addWidget(m_goldenBird[d], 2, static_cast<int>(d) + 1);
    }
    quests->addWidget(label(this, {}, QStringLiteral("Lam Esen's Tome"), art::textFont(9)), 1, 0);
    quests->addWidget(label(this, {}, QStringLiteral("Golden Bird"), art::textFont(9)), 2, 0);
    left->addLayout(quests);
    // The figures at the level shown, how the targets stand, the plot.
    auto* figures = new QGridLayout;
    figures->addWidget(m_heading, 0, 0, 1, 2);
    figures->addWidget(m_referenceHeading, 0, 2, Qt::AlignRight);
    for (std::size_t i = 0; i < m_figures.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        figures->addWidget(
            label(this, {}, text(presentation::kFigureNames[i]), art::captionFont(10, QFont::Normal)), row,
            0);
        figures->addWidget(m_figures[i], row, 1, Qt::AlignRight);
        figures->addWidget(m_referenceFigures[i], row, 2, Qt::AlignRight);
    }
    figures->setColumnMinimumWidth(1, 60);
    figures->setColumnMinimumWidth(2, 70);
    middle->addLayout(figures);
    middle->addWidget(m_placing);
    middle->addWidget(m_plot, 1);
    middle->addWidget(m_everyLevel);
    middle->addWidget(findChild<QLabel*>(QStringLiteral("lbl_CarriedBack")));

    m_document.addListener(*this);
    mirror();
    resize(sizeHint().width(), std::max(sizeHint().height(), 560));
}

AttributesWindow::~AttributesWindow() {
    m_document.removeListener(*this);
}

void AttributesWindow::createEditors() {
    label(this, QStringLiteral("lbl_TargetsHeading"), QStringLiteral("Stat points go to, in order:"),
          art::captionFont(10, QFont::Bold));
    m_targets = new QListWidget(this);
    m_targets->setObjectName(QStringLiteral("lb_Targets"));
    m_targets->setAccessibleName(QStringLiteral("Attribute targets"));
    m_targets->setFixedSize(250, 120);
    m_targetAttribute = new QComboBox(this);
    m_targetAttribute->setObjectName(QStringLiteral("cbo_TargetAttribute"));
    m_targetAttribute->setAccessibleName(QStringLiteral("Attribute of a new target"));
    for (const model::Attribute a : model::kAttributes) {
        m_targetAttribute->addItem(text(model::attributeName(a)));
    }
    m_targetValue = new QSpinBox(this);
    m_targetValue->setObjectName(QStringLiteral("txt_TargetValue"));
    m_targetValue->setAccessibleName(QStringLiteral("Value of a new target"));
    m_targetValue->setRange(-99999, 99999); // what the class cannot have is told, not clamped
    m_targetValue->setValue(50);
    m_targetValue->setFixedWidth(70);
    button(this, "cmd_AddTarget", QStringLiteral("Add Target"));
    button(this, "cmd_TargetUp", QStringLiteral("Up"));
    button(this, "cmd_TargetDown", QStringLiteral("Down"));
    button(this, "cmd_RemoveTarget", QStringLiteral("Remove"));
    connect(findChild<QPushButton*>(QStringLiteral("cmd_AddTarget")), &QPushButton::clicked, this, [this] {
        change([this](model::AttributePlan& plan) {
            plan.targets.push_back(
                {model::kAttributes[static_cast<std::size_t>(m_targetAttribute->currentIndex())],
                 m_targetValue->value()});
        });
    });
    const auto moveBy = [this](int step) {
        const int row = m_targets->currentRow();
        const int to = row + step;
        if (row < 0 || to < 0 || to >= m_targets->count()) {
            return;
        }
        change([row, to](model::AttributePlan& plan) {
            std::swap(plan.targets[static_cast<std::size_t>(row)],
                      plan.targets[static_cast<std::size_t>(to)]);
        });
        m_targets->setCurrentRow(to);
    };
    connect(findChild<QPushButton*>(QStringLiteral("cmd_TargetUp")), &QPushButton::clicked, this,
            [moveBy] { moveBy(-1); });
    connect(findChild<QPushButton*>(QStringLiteral("cmd_TargetDown")), &QPushButton::clicked, this,
            [moveBy] { moveBy(1); });
    connect(findChild<QPushButton*>(QStringLiteral("cmd_RemoveTarget")), &QPushButton::clicked, this, [this] {
        const int row = m_targets->currentRow();
        if (row >= 0) {
            change([row](model::AttributePlan& plan) { plan.targets.erase(plan.targets.begin() + row); });
        }
    });

    label(this, QStringLiteral("lbl_RestHeading"), QStringLiteral("Then everything else into:"),
          art::captionFont(10, QFont::Bold));
    for (std::size_t a = 0; a < m_rest.size(); ++a) {
        const QString name = text(model::attributeName(model::kAttributes[a]));
        m_rest[a] = new QRadioButton(name, this);
        m_rest[a]->setObjectName(QStringLiteral("opt_Rest") + name);
        connect(m_rest[a], &QRadioButton::toggled, this, [this, a](bool on) {
            if (on) {
                change([a](model::AttributePlan& plan) { plan.rest = model::kAttributes[a]; });
            }
        });
    }

    label(this, QStringLiteral("lbl_QuestsHeading"), QStringLiteral("Quests done, at character level:"),
          art::captionFont(10, QFont::Bold));
    for (std::size_t d = 0; d < model::kDifficulties; ++d) {
        for (const bool tome : {true, false}) {
            auto* box = new QSpinBox(this);
            const QString quest = tome ? QStringLiteral("Tome") : QStringLiteral("GoldenBird");
            box->setObjectName(QStringLiteral("txt_") + quest + text(model::kDifficultyNames[d]));
            box->setAccessibleName(
                (tome ? QStringLiteral("Lam Esen's Tome in ") : QStringLiteral("Golden Bird in ")) +
                text(model::kDifficultyNames[d]));
            box->setRange(0, model::kMaxCharacterLevel);
            box->setFixedWidth(76);
            box->setSpecialValueText(QStringLiteral("not done"));
            box->setKeyboardTracking(false);
            connect(box, &QSpinBox::valueChanged, this, [this, d, tome](int level) {
                change([d, tome, level](model::AttributePlan& plan) {
                    (tome ? plan.tome : plan.goldenBird)[d] = static_cast<std::int16_t>(level);
                });
            });
            (tome ? m_tome : m_goldenBird)[d] = box;
        }
    }
}

void AttributesWindow::createFigures() {
    m_heading = label(this, QStringLiteral("lbl_FiguresHeading"), {}, art::captionFont(11, QFont::Bold));
    m_referenceHeading =
        label(this, QStringLiteral("lbl_ReferenceHeading"), QStringLiteral("Reference"), art::textFont(8));
    setTextColour(m_referenceHeading, kFadedText);
    const QString tip = text(presentation::kCarriedBackTip);
    for (std::size_t i = 0; i < m_figures.size(); ++i) {
        const QString name = text(presentation::kFigureNames[i]);
        m_figures[i] = label(this, QStringLiteral("lbl_") + name, {}, art::textFont(11, QFont::Bold));
        setTextColour(m_figures[i], stats::colours::kInferred);
        m_figures[i]->setToolTip(tip);
        m_figures[i]->setAccessibleName(name);
        m_referenceFigures[i] =
            label(this, QStringLiteral("lbl_") + name + QStringLiteral("Reference"), {}, art::textFont(10));
        setTextColour(m_referenceFigures[i], kFadedText);
    }
    m_placing = label(this, QStringLiteral("lbl_Placing"), {}, art::textFont(9));
    m_placing->setWordWrap(true);
    m_placing->setFixedWidth(260);
    m_plot = new LifeManaPlot(this);
    m_plot->setObjectName(QStringLiteral("img_LifeManaPlot"));
    m_plot->setAccessibleName(QStringLiteral("Life and mana by level"));
    m_plot->setToolTip(tip);
    m_everyLevel = new QCheckBox(QStringLiteral("Every level in the table"), this);
    m_everyLevel->setToolTip(
        QStringLiteral("Else every fifth level, the level shown and the milestones' levels"));
    m_everyLevel->setObjectName(QStringLiteral("chk_EveryLevel"));
    connect(m_everyLevel, &QCheckBox::toggled, this, [this] { mirrorTable(); });
    QLabel* note = label(this, QStringLiteral("lbl_CarriedBack"), text(presentation::kCarriedBackNote),
                         art::textFont(8));
    note->setWordWrap(true);
    note->setFixedWidth(260);
    note->setToolTip(tip);
    setTextColour(note, stats::colours::kInferred);
}

void AttributesWindow::createTable() {
    m_table = new QTableWidget(0, static_cast<int>(kColumnTitles.size()) + 1, this);
    m_table->setObjectName(QStringLiteral("tbl_Figures"));
    m_table->setAccessibleName(QStringLiteral("Attributes, life, mana and stamina by level"));
    QStringList titles;
    for (const char* title : kColumnTitles) {
        titles << QLatin1String(title);
    }
    titles << QStringLiteral("Milestone");
    m_table->setHorizontalHeaderLabels(titles);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setAlternatingRowColors(true);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background: #30271d; color: #ffefb0; border: 0px; padding: 2px; }"));
    m_table->verticalHeader()->setDefaultSectionSize(19);
    for (int c = 0; c < static_cast<int>(kColumnTitles.size()); ++c) {
        m_table->setColumnWidth(c, c == 0 ? 40 : 42);
    }
    m_table->setMinimumWidth(470); // every column whole, the milestones' too
}

template <typename F> void AttributesWindow::change(F&& edit) {
    if (m_mirroring || !m_document.isOpen()) {
        return;
    }
    model::AttributePlan plan = m_document.attributes();
    edit(plan);
    if (const std::optional<std::string> why = m_document.setAttributes(std::move(plan))) {
        mirror(); // the plan as it was
        m_toolkit.messageBox(*why, "Attributes", toolkit::Icon::Information, toolkit::Buttons::Ok);
    }
}

void AttributesWindow::showPast(std::optional<std::size_t> entry) {
    m_entry = entry;
    mirrorFigures();
    mirrorTable();
}

void AttributesWindow::setReference(const model::Plan* reference) {
    m_reference = reference != nullptr ? std::optional<model::Plan>(*reference) : std::nullopt;
    mirrorFigures();
}

int AttributesWindow::shownLevel() const {
    if (!m_document.isOpen()) {
        return 1;
    }
    const std::vector<model::HistoryEntry>& history = m_document.build().character()->history();
    return levelAfter(history, m_entry ? *m_entry + 1 : history.size());
}

void AttributesWindow::mirror() {
    mirrorEditors();
    mirrorFigures();
    mirrorTable();
}

void AttributesWindow::mirrorEditors() {
    m_mirroring = true;
    const model::AttributePlan& plan = m_document.attributes();
    const int row = m_targets->currentRow();
    m_targets->clear();
    for (const model::AttributeTarget& target : plan.targets) {
        m_targets->addItem(QString::fromStdString(presentation::targetCaption(target)));
    }
    m_targets->setCurrentRow(std::min(row, m_targets->count() - 1));
    m_rest[static_cast<std::size_t>(plan.rest)]->setChecked(true);
    for (std::size_t d = 0; d < model::kDifficulties; ++d) {
        m_tome[d]->setValue(plan.tome[d]);
        m_goldenBird[d]->setValue(plan.goldenBird[d]);
    }
    m_mirroring = false;
}

void AttributesWindow::mirrorFigures() {
    const model::ClassId classId = m_document.classId();
    const int level = shownLevel();
    const model::CharacterFigures shown = model::figuresAt(classId, m_document.attributes(), level);
    std::optional<model::CharacterFigures> reference;
    if (m_reference) {
        // The reference as it stood at the same level, as the tree screen compares it.
        reference = model::figuresAt(m_reference->classId, m_reference->attributes,
                                     std::min(level, static_cast<int>(model::levelReached(*m_reference))));
    }
    m_heading->setText(QString::fromStdString(presentation::figuresHeading(level, m_entry.has_value())) +
                       QStringLiteral(" ") + text(presentation::kCarriedBackMark));
    m_referenceHeading->setVisible(reference.has_value());
    for (std::size_t i = 0; i < m_figures.size(); ++i) {
        m_figures[i]->setText(QString::number(presentation::figure(shown, i)));
        m_referenceFigures[i]->setVisible(reference.has_value());
        if (reference) {
            m_referenceFigures[i]->setText(QString::number(presentation::figure(*reference, i)));
        }
    }
    m_placing->setText(
        QString::fromStdString(presentation::placingText(classId, m_document.attributes(), level)));
}

void AttributesWindow::mirrorTable() {
    const model::ClassId classId = m_document.classId();
    const std::vector<model::CharacterFigures> table =
        model::figuresByLevel(classId, m_document.attributes());
    const int level = shownLevel();
    m_plot->setFigures(table, level);
    // The milestones by the level they stand at.
    std::vector<std::pair<int, std::string>> milestones;
    if (m_document.isOpen()) {
        const auto& history = m_document.build().character()->history();
        for (const model::Milestone& m : m_document.milestones()) {
            milestones.emplace_back(levelAfter(history, m.entry + 1), m.name);
        }
    }
    std::vector<int> levels;
    for (int l = 1; l <= model::kMaxCharacterLevel; ++l) {
        const bool milestone =
            std::any_of(milestones.begin(), milestones.end(), [l](const auto& m) { return m.first == l; });
        if (m_everyLevel->isChecked() || l == 1 || l % 5 == 0 || l == model::kMaxCharacterLevel ||
            milestone || l == level) {
            levels.push_back(l);
        }
    }
    m_table->setRowCount(static_cast<int>(levels.size()));
    int shownRow = 0;
    for (std::size_t r = 0; r < levels.size(); ++r) {
        const model::CharacterFigures& f = table[static_cast<std::size_t>(levels[r] - 1)];
        const auto cell = [this, r](int column, const QString& value, const QColor& colour) {
            QTableWidgetItem* item = m_table->item(static_cast<int>(r), column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                m_table->setItem(static_cast<int>(r), column, item);
            }
            item->setText(value);
            item->setForeground(colour);
            item->setTextAlignment(column == 8 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
        };
        cell(0, QString::number(f.level), qcolor(kParchment));
        for (std::size_t i = 0; i < presentation::kFigureNames.size(); ++i) {
            cell(static_cast<int>(i) + 1, QString::number(presentation::figure(f, i)),
                 qcolor(stats::colours::kInferred));
        }
        QString names;
        for (const auto& [at, name] : milestones) {
            if (at == f.level) {
                names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + QString::fromStdString(name);
            }
        }
        cell(8, names, qcolor(kBrightGold));
        if (f.level == level) {
            shownRow = static_cast<int>(r);
        }
    }
    m_table->selectRow(shownRow);
    m_table->scrollToItem(m_table->item(shownRow, 0), QAbstractItemView::PositionAtCenter);
}

void AttributesWindow::documentChanged(const document::PlanDocument& /*document*/,
                                       const document::DocumentChange& change) {
    using Kind = document::DocumentChange::Kind;
    if (change.kind == Kind::Closed) {
        m_entry.reset();
    }
    // A point or a note leaves the attribute plan as it was: only the level
    // and the milestones can have moved.
    const bool planAsItWas = change.kind == Kind::Saved ||
                             (change.kind == Kind::Edited && change.edit != document::EditKind::Attributes);
    if (!planAsItWas) {
        mirrorEditors();
    }
    mirrorFigures();
    mirrorTable();
}

} // namespace skillwright::screens
