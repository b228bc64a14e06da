#include "SkillTreeScreen.h"

#include "ComparisonOverlay.h"
#include "HistoryEditor.h"
#include "ScreenDesign.h"
#include "TreeKeyboard.h"
#include "TreeWidgets.h"

#include <model/Build.h>
#include <model/BuildCode.h>
#include <report/SaveBuildReport.h>
#include <screens/common/CharacterOpener.h>
#include <screens/common/KeySheet.h>
#include <toolkit/Toolkit.h>

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <art/Art.h>
#include <document/PlanDocument.h>
#include <filesystem>
#include <presentation/ForumText.h>
#include <presentation/Presentation.h>

namespace skillwright::screens {

using model::ClassId;
using model::TreeId;

namespace {

// Type sizes are given in points on a 96 dpi screen; the screen is laid
// out in pixels, so fonts are sized in pixels too and look the same everywhere.
int pixelSize(qreal points) {
    return qRound(points * 96.0 / 72.0);
}

QFont captionFont(qreal points, QFont::Weight weight) {
    QFont font = art::captionFont(points, weight);
    font.setPixelSize(pixelSize(points));
    return font;
}

QFont textFont(qreal points, QFont::Weight weight = QFont::Normal) {
    QFont font = art::textFont(points, weight);
    font.setPixelSize(pixelSize(points));
    return font;
}

// The two caption weights, light and heavy.
constexpr QFont::Weight kLight = QFont::Light;
constexpr QFont::Weight kHeavy = QFont::ExtraBold;

const QString kRightClickLine = QStringLiteral("Right click for reserve options and skill stats.");
const QString kLineBreak = QStringLiteral("\r\n");

struct CommandEntry {
    const char* name;
    const char* caption;
    TwipRect rect;
    const char* description;
};

// clang-format off
const std::array<CommandEntry, 5> kCommandEntries{{
    {"lbl_Save", "SAVE", {9810, 1080, 1995, 315}, "Save your character To a text file."},
    {"lbl_Reset", "RESET", {9795, 1875, 1995, 315}, "Reset all skills to starting value."},
    {"lbl_ChangeClass", "CHANGE CLASS", {9765, 2685, 1995, 315},
     "Change the type of character you are.\r\n          Amazon\r\n          Barbarian\r\n"
     "          Paladin\r\n          Necromancer\r\n          Sorceress"},
    {"lbl_UndoLast", "UNDO LAST", {9765, 3525, 1995, 315}, "Remove last skill point saved."},
    {"lbl_Close", "EXIT", {9765, 4350, 1995, 315}, "Close this window"},
}};
// clang-format on

constexpr std::array<const char*, 3> kTitleNames{"lbl_Summon", "lbl_PB", "Label1"};
constexpr std::array<TwipRect, 3> kTitleRects{
    {{1365, 0, 2745, 300}, {4155, 15, 2760, 300}, {6930, 0, 2685, 300}}};
constexpr std::array<const char*, model::kTierCount> kTierNames{"lbl_Level1",  "lbl_Level6",  "lbl_Level12",
                                                                "lbl_Level18", "lbl_Level24", "lbl_Level30"};
constexpr std::array<int, model::kTierCount> kTierLabelTops{555, 1365, 2160, 2985, 3870, 4680};

/// Where the button panel's art draws its medallion: centred 80 and 34
/// pixels into the panel, 25 pixels round with its rim.
constexpr TwipRect kCommandEmblem{9555 + 55 * kTwipsPerPixel, -15 + 9 * kTwipsPerPixel, 50 * kTwipsPerPixel,
                                  50 * kTwipsPerPixel};

const char* const kDisclaimer =
    "Skill details may change at any time at the discretion of the game's publisher.";

/// The line at the foot of the screen: the disclaimer, or what is not kept.
constexpr TwipRect kFootLine{450, 8775, 11100, 420};

QString arrayElementName(std::string_view array, int index) {
    return QString::fromUtf8(array.data(), static_cast<qsizetype>(array.size())) + QLatin1Char('(') +
           QString::number(index) + QLatin1Char(')');
}

} // namespace

SkillTreeScreen::SkillTreeScreen(document::PlanDocument& document, toolkit::Toolkit& toolkit, QWidget* parent)
    : QWidget(parent), m_classId(document.classId()), m_design(classDesign(m_classId)), m_document(document),
      m_build(document.build()), m_toolkit(toolkit), m_notice([this](bool run) {
          m_noticeTimer->stop();
          if (run) {
              m_noticeTimer->start(presentation::kNoticeMilliseconds);
          }
      }),
      m_status(m_build.state()) {
    const model::ClassInfo& info = model::classInfo(m_classId);
    setObjectName(qstring(m_design.screenName));
    setWindowTitle(QStringLiteral("Diablo II Skillwright (") + qstring(info.name) + QLatin1Char(')'));
    setFixedSize(800, 600);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setMouseTracking(true);

    TreeKeyboard::speakOfIconsAndCommandsAsButtons();
    leaveDecorationsOutForReaders(*this);
    createControls();
    // Framed in gold while the screen looks back at an earlier entry.
    m_pastFrame = new QFrame(this);
    m_pastFrame->setObjectName(QStringLiteral("frm_LookingBack"));
    m_pastFrame->setGeometry(0, 0, 800, 600);
    m_pastFrame->setStyleSheet(QStringLiteral("QFrame { border: 3px solid rgb(255, 239, 176); }"));
    m_pastFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pastFrame->hide();
    markDecoration(m_pastFrame);
    m_opener = new CharacterOpener(this, OnTreeScreens);
    connect(m_opener, &CharacterOpener::commandRequested, this, [this](ProgramCommand command) {
        switch (command) {
        case ProgramCommand::Save:
            returnToPresent();
            save();
            return;
        case ProgramCommand::Undo:
            m_document.undo();
            return;
        case ProgramCommand::Redo:
            m_document.redo();
            return;
        case ProgramCommand::ShowKeys:
            KeySheet::showOver(*this);
            return;
        case ProgramCommand::PreviousMilestone:
        case ProgramCommand::NextMilestone:
            goToMilestone(command == ProgramCommand::NextMilestone ? 1 : -1);
            return;
        case ProgramCommand::SetTarget:
            if (const auto* icon = qobject_cast<const SkillIcon*>(focusWidget())) {
                askTarget({icon->tree(), static_cast<std::int16_t>(icon->index())});
            } else {
                tell("Set Target acts on the skill the keyboard is on: Tab to a skill first.");
            }
            return;
        case ProgramCommand::FillToTargets:
            fillToTargets();
            return;
        case ProgramCommand::CopyForForum:
            copyForForum();
            return;
        default:
            return; // the program's to answer
        }
    });

    m_noticeTimer = m_toolkit.createTimer();
    m_noticeTimer->setCallback([this] {
        m_notice.expire();
        clearRefusedMark();
        mirror();
    });
    m_targetMarks = std::make_unique<TargetMarks>(*this, m_document, m_classId);
    m_build.addListener(*this);
    m_document.addListener(*this);
    mirror();
    mirrorMilestones();
    m_keyboard = new TreeKeyboard(*this, m_document);
}

SkillTreeScreen::~SkillTreeScreen() {
    m_document.removeListener(*this);
    m_build.removeListener(*this);
    m_noticeTimer.reset();
}

bool SkillTreeScreen::showsPlan() const {
    return m_document.isOpen() && m_document.classId() == m_classId;
}

void SkillTreeScreen::buildChanged(const model::BuildChange& change) {
    if (change.kind == model::BuildChange::Kind::Reset || change.kind == model::BuildChange::Kind::Replayed) {
        stopComparing(); // the plan compared is gone
    }
    m_status.follow(change, m_build.state());
    m_notice.follow(change);
    clearRefusedMark();
    // Whatever happened, the screen shows the build as it now stands.
    m_changing.reset();
    m_past.reset();
    if (!m_editing) {
        mirror();
    }
}

void SkillTreeScreen::lookBack(int row) {
    const model::Character* screen = m_build.character();
    if (!showsPlan() || screen == nullptr || row < 0 ||
        row + 1 >= static_cast<int>(screen->history().size())) {
        returnToPresent();
        return;
    }
    if (m_changing && *m_changing != static_cast<std::size_t>(row)) {
        m_changing.reset(); // another entry: the change waits no more
    }
    // The line above the history says what a click does here now.
    if (m_notice.visible()) {
        m_notice.expire();
    }
    // Every entry of the history was taken by the rules: the state after it
    // is the entries before it applied in order.
    model::BuildState past;
    for (int i = 0; i <= row; ++i) {
        model::apply(past, screen->history()[static_cast<std::size_t>(i)]);
    }
    m_past = Past{static_cast<std::size_t>(row) + 1, past, presentation::StatusLabels(past)};
    mirror();
    emit pastChanged();
}

bool SkillTreeScreen::returnToPresent() {
    m_changing.reset();
    if (!m_past) {
        return false;
    }
    m_past.reset();
    if (m_history->currentRow() != m_history->count() - 1) {
        selectNewestEntry();
    }
    mirror();
    emit pastChanged();
    return true;
}

QLabel* SkillTreeScreen::addWhiteLabel(const char* name, const QString& text, const TwipRect& place,
                                       const QFont& font, Qt::Alignment alignment) {
    QLabel* label = addLabel(this, name, text, place, font, alignment);
    setTextColour(label, kWhite);
    return label;
}

void SkillTreeScreen::createControls() {
    // Back to front: the drawn surface, the two panels, connector pictures,
    // icons and labels; the outline lies on top and lets the pointer through.
    createBackground();
    for (int position = 0; position < 3; ++position) {
        createTree(position);
    }
    createCaptions();
    createCommands();
    createStatusLabels();
    createHistoryList();
    createDescription();
    createOutline();
}

void SkillTreeScreen::createBackground() {
    auto* surface = new TreeSurface(m_design, connectors(m_classId), this);
    surface->setObjectName(QStringLiteral("TreeArea"));
    surface->setGeometry(0, 0, 800, 600);
    markDecoration(surface);

    auto* bottomPanel = new QLabel(this);
    bottomPanel->setObjectName(QStringLiteral("img_BottomBack"));
    bottomPanel->setGeometry(toPixels(TwipRect{-75, 5580, 12165, 3345}));
    bottomPanel->setPixmap(art::bottomPanel(m_classId));
    bottomPanel->setScaledContents(true);
    markDecoration(bottomPanel);

    auto* buttonPanel = new QLabel(this);
    buttonPanel->setObjectName(qstring(m_design.buttonPanelName));
    buttonPanel->setGeometry(toPixels(TwipRect{9555, -15, 2400, 5235}));
    buttonPanel->setPixmap(art::buttonPanel(m_classId));
    buttonPanel->setScaledContents(true);
    markDecoration(buttonPanel);
    // A move over the panel resets the hover state like the bare surface.
    buttonPanel->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The medallion at the top of the panel opens the command menu.
    auto* emblem = new EmblemButton(this);
    emblem->setObjectName(QStringLiteral("img_CommandEmblem"));
    emblem->setGeometry(toPixels(kCommandEmblem));
    connect(emblem, &QAbstractButton::clicked, this,
            [this, emblem] { emit commandMenuRequested(emblem->mapToGlobal(QPoint(0, emblem->height()))); });

    const QPixmap connectorPicture = art::connector();
    int connectorIndex = 0;
    for (const Connector& c : connectors(m_classId)) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("img_Connector(%1)").arg(connectorIndex++));
        picture->setGeometry(toPixels(c.picture));
        picture->setPixmap(connectorPicture);
        picture->setScaledContents(true);
        markDecoration(picture);
    }
}

void SkillTreeScreen::createCaptions() {
    const model::ClassInfo& info = model::classInfo(m_classId);
    const QFont titleFont = captionFont(9.75, kLight);
    for (std::size_t t = 0; t < 3; ++t) {
        const TwipRect& r = kTitleRects[t];
        addWhiteLabel(kTitleNames[t], qstring(model::tree(info.trees[t]).title), r, titleFont,
                      Qt::AlignHCenter | Qt::AlignTop);
    }

    const QFont tierFont = captionFont(9.75, kHeavy);
    for (std::size_t row = 0; row < m_tierLabels.size(); ++row) {
        const QString text = QStringLiteral("[  Level %1  ]").arg(model::kTierOpeningLevels[row]);
        const int width = model::kTierOpeningLevels[row] < 10 ? 1440 : 1515;
        m_tierLabels[row] =
            addWhiteLabel(kTierNames[row], text, TwipRect{15, kTierLabelTops[row], width, 240}, tierFont,
                          Qt::AlignLeft | Qt::AlignTop);
        m_tierLabels[row]->setIndent(3); // clear of the look-back frame at the window's edge
        m_tierShown[row] = false;
    }
}

void SkillTreeScreen::createCommands() {
    const QFont commandFont = captionFont(9.75, kHeavy);
    for (std::size_t c = 0; c < m_commands.size(); ++c) {
        const CommandEntry& entry = kCommandEntries[c];
        auto* label = new CommandLabel(QLatin1String(entry.caption), this);
        label->setObjectName(QLatin1String(entry.name));
        label->setGeometry(toPixels(entry.rect));
        label->setFont(commandFont);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->setAccessibleDescription(QLatin1String(entry.description));
        setTextColour(label, kParchment);
        m_commands[c] = label;
        const auto command = static_cast<Command>(c);
        connect(label, &CommandLabel::hovered, this, [this, command] { commandHover(command); });
    }
    // A command given while the screen looks back acts on the present.
    const auto inPresent = [this](auto act) {
        return [this, act] {
            returnToPresent();
            act();
        };
    };
    connect(m_commands[Save], &CommandLabel::clicked, this, inPresent([this] { save(); }));
    connect(m_commands[Reset], &CommandLabel::clicked, this, inPresent([this] { m_document.reset(); }));
    connect(m_commands[ChangeClass], &CommandLabel::clicked, this, inPresent([this] { changeClass(); }));
    connect(m_commands[UndoLast], &CommandLabel::clicked, this, inPresent([this] { m_document.undoLast(); }));
    connect(m_commands[Close], &CommandLabel::clicked, this, inPresent([this] { emit exitRequested(); }));
}

void SkillTreeScreen::createStatusLabels() {
    const model::ClassInfo& info = model::classInfo(m_classId);
    addWhiteLabel("lbl_Char", qstring(info.name), TwipRect{915, 5265, 2175, 285}, captionFont(12, kHeavy),
                  Qt::AlignLeft | Qt::AlignTop);
    const QFont statusFont = captionFont(8.25, kLight);
    m_charLevel = addWhiteLabel("lbl_CharLevel", QStringLiteral("Level: 1"), TwipRect{3075, 5340, 1845, 210},
                                statusFont, Qt::AlignLeft | Qt::AlignTop);
    m_skillLevel = addWhiteLabel("lbl_SkillLevel", QStringLiteral("Skill Points: 0"),
                                 TwipRect{5010, 5340, 1845, 210}, statusFont, Qt::AlignLeft | Qt::AlignTop);
    m_reserved = addWhiteLabel("lbl_Reserved", QStringLiteral("Reserved Points: 0"),
                               TwipRect{7125, 5340, 2040, 210}, statusFont, Qt::AlignLeft | Qt::AlignTop);
    m_shownLevel = "Level: 1";
    m_shownPoints = "Skill Points: 0";
    m_shownReserve = "Reserved Points: 0";

    const QFont textFont825 = textFont(8.25);
    m_noticeLabel = addWhiteLabel("lbl_UnAvail", QString(), TwipRect{30, 5505, 11925, 255}, textFont825,
                                  Qt::AlignHCenter | Qt::AlignTop);
    m_noticeLabel->hide();
}

void SkillTreeScreen::createHistoryList() {
    const QFont textFont825 = textFont(8.25);
    m_history = new QListWidget(this);
    m_history->setObjectName(QStringLiteral("lb_SkillsPerLevel"));
    m_history->setGeometry(toPixels(TwipRect{540, 5985, 3765, 2550}));
    m_history->setFont(textFont825);
    m_history->setUniformItemSizes(true);
    m_history->setSelectionMode(QAbstractItemView::SingleSelection);
    m_history->setFrameShape(QFrame::NoFrame);
    m_history->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // every entry fits its line
    m_historyDelegate = new HistoryDelegate(m_historyTexts, m_history);
    m_history->setItemDelegate(m_historyDelegate);
    // A slim scroll bar in the panel's bronze rather than the desktop's grey.
    m_history->verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: #141210; width: 12px; margin: 0; }"
        "QScrollBar::handle:vertical { background: #6e5a44; min-height: 20px; border: 1px solid #a88f79; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    {
        QPalette listPalette = m_history->palette();
        listPalette.setColor(QPalette::Base, Qt::black);
        listPalette.setColor(QPalette::Text, Qt::white);
        listPalette.setColor(QPalette::Highlight, QColor(92, 70, 38));
        listPalette.setColor(QPalette::HighlightedText, Qt::white);
        m_history->setPalette(listPalette);
    }
    m_history->installEventFilter(this);
    connect(m_history, &QListWidget::currentRowChanged, this, &SkillTreeScreen::lookBack);
    m_historyEditor = new HistoryEditor(
        *m_history, *m_historyDelegate,
        {[this](int row) { m_document.takeBackTo(static_cast<std::size_t>(row) + 1); },
         [this](int row) { beginChange(row); }, [this](const model::PlanEdit& edit) { editHistory(edit); },
         [this](int row) { markMilestone(row); },
         [this](int row) { m_document.markMilestone(static_cast<std::size_t>(row), {}); },
         [this](int row) {
             return model::milestoneAt(m_document.milestones(), static_cast<std::size_t>(row)) != nullptr;
         }});
    // The list is one of the controls on which a move does nothing.
    m_history->setAttribute(Qt::WA_NoMousePropagation);
    m_history->viewport()->setAttribute(Qt::WA_NoMousePropagation);
}

void SkillTreeScreen::createDescription() {
    const QFont textFont825 = textFont(8.25);
    m_description = addWhiteLabel("lbl_Description", QString(), TwipRect{4440, 5985, 7215, 2520}, textFont825,
                                  Qt::AlignLeft | Qt::AlignTop);
    m_description->setWordWrap(true);

    m_disclaimer = addWhiteLabel("lbl_Notice", QLatin1String(kDisclaimer), kFootLine, textFont825,
                                 Qt::AlignHCenter | Qt::AlignTop);
}

void SkillTreeScreen::createOutline() {
    m_outline = new QFrame(this);
    m_outline->setObjectName(QStringLiteral("sh_Outline"));
    m_outline->setFrameShape(QFrame::Box);
    m_outline->setLineWidth(2);
    {
        QPalette outlinePalette = m_outline->palette();
        outlinePalette.setColor(QPalette::WindowText, qcolor(kParchment));
        m_outline->setPalette(outlinePalette);
    }
    m_outline->setAttribute(Qt::WA_TransparentForMouseEvents);
    markDecoration(m_outline);
    m_outlineTop = kOutlineParked;
    m_outlineLeft = kOutlineParked;
    m_outline->setGeometry(toPixels(TwipRect{m_outlineLeft, m_outlineTop, kOutlineWidth, kOutlineHeight}));
}

void SkillTreeScreen::createTree(int position) {
    const model::Tree& tree =
        model::tree(model::classInfo(m_classId).trees[static_cast<std::size_t>(position)]);
    const QFont countFont = textFont(8.25, QFont::Bold);
    auto& counts = m_counts[static_cast<std::size_t>(position)];
    for (int i = 0; i < model::kSkillsPerTree; ++i) {
        auto* icon = new SkillIcon(tree.id, i, art::skillIcon(tree.id, i), this);
        icon->setObjectName(arrayElementName(iconArrayName(tree.id), i));
        icon->setProperty("index", i);
        icon->setGeometry(toPixels(iconRect(tree.id, i)));
        icon->setToolTip(qstring(tree.skills[static_cast<std::size_t>(i)].tooltip));
        connect(icon, &SkillIcon::hovered, this, [this, icon] { iconHover(*icon); });
        connect(icon, &SkillIcon::clicked, this, [this, icon](Qt::KeyboardModifiers modifiers) {
            const model::SkillRef skill{icon->tree(), static_cast<std::int16_t>(icon->index())};
            if (modifiers == Qt::AltModifier) {
                stepTarget(skill, 1);
            } else if (modifiers == Qt::ShiftModifier && !m_past && !m_changing) {
                takePath(skill);
            } else {
                skillClicked(skill);
            }
        });
        connect(icon, &SkillIcon::pressed, this,
                [this, icon](Qt::MouseButton button, QPoint globalPos, Qt::KeyboardModifiers modifiers) {
                    if (button == Qt::RightButton && modifiers == Qt::AltModifier) {
                        stepTarget({icon->tree(), static_cast<std::int16_t>(icon->index())}, -1);
                    } else if (button == Qt::RightButton) {
                        rightPressed(icon->tree(), icon->index(), globalPos);
                    }
                });

        auto* count = new QLabel(QStringLiteral("0"), this);
        count->setObjectName(arrayElementName(countArrayName(tree.id), i));
        count->setProperty("index", i);
        count->setGeometry(toPixels(countRect(tree.id, i)));
        count->setFont(countFont);
        count->setAlignment(Qt::AlignCenter);
        count->setTextFormat(Qt::PlainText);
        setTextColour(count, kCountColour);
        counts[static_cast<std::size_t>(i)] = count;
    }
    m_shownCounts[static_cast<std::size_t>(position)].fill(0);
}

QString SkillTreeScreen::skillHoverText(TreeId tree, int index) {
    QString text =
        qstring(model::skill(tree, index).name) + kLineBreak + qstring(model::skillDescription(tree, index));
    const std::string_view note = model::skillNote(tree, index);
    if (!note.empty()) {
        text += kLineBreak + qstring(note);
    }
    return text + kLineBreak + kRightClickLine;
}

void SkillTreeScreen::mirror() {
    const model::Character* screen = m_build.character();
    if (!showsPlan() || screen == nullptr) {
        return;
    }
    // Looking back, the tree, the labels and the notice line show the build
    // replayed to the chosen entry; the history stays whole.
    const model::BuildState& shown = m_past ? m_past->state : m_build.state();
    const presentation::StatusLabels& status = m_past ? m_past->status : m_status;
    mirrorCounts(shown);
    mirrorLabels(status);
    mirrorHistory(screen->history());
    mirrorTierColours(status);
    m_targetMarks->mirror();
    if (m_keyboard != nullptr) {
        m_keyboard->speakOf(shown);
    }
    if (m_comparison) {
        m_comparison->mirror(screen->history(), m_past ? m_past->entries : screen->history().size());
    }
}

void SkillTreeScreen::mirrorText(QLabel* label, std::string& shown, std::string text) {
    if (shown != text) {
        shown = std::move(text);
        label->setText(QString::fromStdString(shown));
    }
}

void SkillTreeScreen::mirrorCounts(const model::BuildState& shown) {
    for (int t = 0; t < 3; ++t) {
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            const std::int16_t count = shown.points[static_cast<std::size_t>(t)][static_cast<std::size_t>(i)];
            std::int16_t& shown = m_shownCounts[static_cast<std::size_t>(t)][static_cast<std::size_t>(i)];
            if (count != shown) {
                shown = count;
                m_counts[static_cast<std::size_t>(t)][static_cast<std::size_t>(i)]->setText(
                    QString::number(count));
            }
        }
    }
}

void SkillTreeScreen::mirrorLabels(const presentation::StatusLabels& status) {
    mirrorText(m_charLevel, m_shownLevel, status.levelLabel());
    mirrorText(m_skillLevel, m_shownPoints, status.pointsLabel());
    mirrorText(m_reserved, m_shownReserve, status.reserveLabel());
    // Looking back, the line says what a click does there, unless a notice
    // (a refused edit) has something to say.
    std::string notice = m_notice.text();
    bool noticeVisible = m_notice.visible();
    const bool framed = m_past || m_changing;
    if (framed && !noticeVisible) {
        if (m_changing) {
            notice = "Change " + model::formatEntry(m_build.character()->history()[*m_changing]) +
                     ": click the skill it goes to (Esc cancels)";
        } else {
            notice = "Inserting at Clvl " + std::to_string(m_past->state.characterLevel() + 1) + " of " +
                     std::to_string(m_build.characterLevel());
            // Looking back at a milestone, the line names it, with the first line of its note.
            if (const model::Milestone* milestone =
                    model::milestoneAt(m_document.milestones(), m_past->entries - 1)) {
                const std::string note = milestone->note.substr(0, milestone->note.find('\n'));
                notice = milestone->name + (note.empty() ? "" : ": " + note) + "  \u00B7  " + notice;
            }
        }
        noticeVisible = true;
    }
    mirrorText(m_noticeLabel, m_shownNotice, std::move(notice));
    if (m_pastFrame->isVisible() != framed) {
        m_pastFrame->setVisible(framed);
    }
    if (m_noticeLabel->isVisible() != noticeVisible) {
        m_noticeLabel->setVisible(noticeVisible);
    }
}

void SkillTreeScreen::mirrorHistory(const std::vector<model::HistoryEntry>& history) {
    // Entries come and go at the end; an edit of the past rewrites the
    // entries from the first it changed on. Whenever the list changes the
    // newest entry is selected; in between, the player may browse it with
    // the keys without a timer tick undoing that.
    const auto laidOut = [this](QListWidgetItem& entry) {
        return HistoryDelegate::layOut(entry, *m_history);
    };
    const std::size_t common = std::min(history.size(), m_shownHistory.size());
    const auto firstChanged = static_cast<std::size_t>(
        std::mismatch(history.begin(), history.begin() + static_cast<std::ptrdiff_t>(common),
                      m_shownHistory.begin())
            .first -
        history.begin());
    bool historyChanged = firstChanged < common || history.size() != m_shownHistory.size();
    if (historyChanged) {
        // What the last edit moved is told once: the names are plain again.
        for (const int row : m_movesTold) {
            if (QListWidgetItem* item = m_history->item(row)) {
                item->setData(Qt::AccessibleTextRole, QVariant());
            }
        }
        m_movesTold.clear();
    }
    for (std::size_t i = firstChanged; i < common; ++i) {
        if (history[i] == m_shownHistory[i]) {
            continue; // an entry the edit left as it was
        }
        const QString text = QString::fromStdString(model::formatEntry(history[i]));
        m_shownHistory[i] = history[i];
        m_history->item(static_cast<int>(i))->setText(text);
        m_historyTexts[i] = laidOut(*m_history->item(static_cast<int>(i)));
    }
    while (m_shownHistory.size() > history.size()) {
        delete m_history->takeItem(static_cast<int>(m_shownHistory.size()) - 1);
        m_shownHistory.pop_back();
        m_historyTexts.pop_back();
    }
    for (std::size_t i = m_shownHistory.size(); i < history.size(); ++i) {
        const QString text = QString::fromStdString(model::formatEntry(history[i]));
        m_shownHistory.push_back(history[i]);
        m_history->addItem(text);
        m_historyTexts.push_back(laidOut(*m_history->item(m_history->count() - 1)));
    }
    if (historyChanged) {
        selectNewestEntry();
    }
}

void SkillTreeScreen::mirrorTierColours(const presentation::StatusLabels& status) {
    for (std::size_t row = 0; row < m_tierLabels.size(); ++row) {
        const bool gold = status.tierHighlighted(static_cast<int>(row));
        if (m_tierShown[row] != gold) {
            m_tierShown[row] = gold;
            setTextColour(m_tierLabels[row], gold ? kParchment : kWhite);
        }
    }
}

void SkillTreeScreen::selectNewestEntry() {
    m_history->setCurrentRow(m_history->count() - 1);
}

void SkillTreeScreen::iconHover(const SkillIcon& icon) {
    m_description->setText(skillHoverText(icon.tree(), icon.index()));
    const TwipRect r = iconRect(icon.tree(), icon.index());
    const int top = r.top - kOutlineMargin;
    const int left = r.left - kOutlineMargin;
    if (m_outlineTop != top || m_outlineLeft != left) {
        m_outlineTop = top;
        m_outline->setGeometry(
            toPixels(TwipRect{m_outlineLeft, m_outlineTop, kOutlineWidth, kOutlineHeight}));
        m_outlineLeft = left;
        m_outline->setGeometry(
            toPixels(TwipRect{m_outlineLeft, m_outlineTop, kOutlineWidth, kOutlineHeight}));
    }
}

void SkillTreeScreen::commandHover(Command command) {
    m_description->setText(QLatin1String(kCommandEntries[static_cast<std::size_t>(command)].description));
    setCommandWhite(command, true);
}

void SkillTreeScreen::resetHover() {
    if (m_outlineTop != kOutlineParked || m_outlineLeft != kOutlineParked) {
        m_outlineTop = kOutlineParked;
        m_outlineLeft = kOutlineParked;
        m_outline->setGeometry(
            toPixels(TwipRect{m_outlineLeft, m_outlineTop, kOutlineWidth, kOutlineHeight}));
    }
    m_description->clear();
    for (int c = CommandCount - 1; c >= 0; --c) {
        setCommandWhite(static_cast<Command>(c), false);
    }
}

void SkillTreeScreen::setCommandWhite(Command command, bool white) {
    const auto c = static_cast<std::size_t>(command);
    if (m_commandWhite[c] != white) {
        m_commandWhite[c] = white;
        setTextColour(m_commands[c], white ? kWhite : kParchment);
    }
}

bool SkillTreeScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_history && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (m_changing) {
            keyPressEvent(static_cast<QKeyEvent*>(event)); // the change is cancelled
        } else {
            changeClass();
        }
        return true;
    }
    // Copy is the build code's here as anywhere on the screen, never the
    // line's: the list is not let claim the key before the window's
    // shortcut, and a press that still reaches it (the window not active,
    // so its shortcuts do not match) copies the code too.
    if (watched == m_history &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (event->type() == QEvent::KeyPress) {
            copyBuildCode();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SkillTreeScreen::skillClicked(model::SkillRef skill) {
    if (m_changing) {
        editHistory(model::PlanEdit::change(*m_changing, skill));
    } else if (m_past) {
        editHistory(model::PlanEdit::insert(m_past->entries, skill));
    } else {
        m_document.click(skill.tree, skill.index);
    }
}

void SkillTreeScreen::tell(std::string text) {
    m_notice.show(std::move(text));
    mirror();
}

void SkillTreeScreen::askTarget(model::SkillRef skill) {
    if (std::optional<std::string> why = m_targetMarks->ask(skill, m_toolkit)) {
        tell(std::move(*why));
    }
}

void SkillTreeScreen::stepTarget(model::SkillRef skill, int by) {
    if (std::optional<std::string> why = m_targetMarks->step(skill, by)) {
        tell(std::move(*why));
    }
}

void SkillTreeScreen::takePath(model::SkillRef skill) {
    const model::PathTaking path = m_document.takePath(skill);
    if (path.added.empty()) {
        tell(path.why);
    }
}

void SkillTreeScreen::fillToTargets() {
    returnToPresent();
    const model::TargetFill fill = m_document.fillToTargets();
    const std::string told = presentation::targetFillNotice(fill, m_document.targets());
    m_noticeLabel->setToolTip(QString::fromStdString(told));
    tell(told);
}

void SkillTreeScreen::editHistory(const model::PlanEdit& edit) {
    m_changing.reset();
    const std::vector<model::HistoryEntry> before = m_build.character()->history();
    m_editing = true;
    const model::EditOutcome outcome = m_document.editHistory(edit);
    m_editing = false;
    if (!outcome.accepted()) {
        // Nothing changed: the notice says why, and the entry that would break shows for as long.
        m_notice.show(outcome.why);
        m_historyDelegate->setRefused(static_cast<int>(outcome.refused));
        if (QListWidgetItem* refused = m_history->item(static_cast<int>(outcome.refused))) {
            m_history->scrollToItem(refused);
        }
        m_history->viewport()->update();
        mirror();
        return;
    }
    // The view goes on to the entry the edit left, so that points can be
    // inserted one after another: the screen is mirrored once, there.
    mirrorHistory(m_build.character()->history());
    tellMovedEntries(before, outcome.origins);
    if (const auto landing = edit.landing(); landing && static_cast<int>(*landing) + 1 < m_history->count()) {
        {
            const QSignalBlocker quiet(m_history); // whether or not the row changes, it is looked at anew
            m_history->setCurrentRow(static_cast<int>(*landing));
        }
        lookBack(static_cast<int>(*landing));
    } else {
        mirror();
    }
}

void SkillTreeScreen::tellMovedEntries(const std::vector<model::HistoryEntry>& before,
                                       const std::vector<std::size_t>& origins) {
    const std::vector<model::HistoryEntry>& after = m_build.character()->history();
    for (std::size_t i = 0; i < after.size() && i < origins.size(); ++i) {
        const std::size_t from = origins[i];
        QString said;
        if (from == model::EditOutcome::kNew) {
            said = QString::fromStdString(model::formatEntry(after[i])) + QStringLiteral(", inserted");
        } else if (from < before.size() && before[from] != after[i]) {
            said = QString::fromStdString(model::formatEntry(after[i]) + ", was " +
                                          model::formatEntry(before[from]));
        }
        if (!said.isEmpty()) {
            m_history->item(static_cast<int>(i))->setData(Qt::AccessibleTextRole, said);
            m_movesTold.push_back(static_cast<int>(i));
        }
    }
}

void SkillTreeScreen::beginChange(int row) {
    m_history->setCurrentRow(row); // looks back at it, unless it is the newest
    m_changing = static_cast<std::size_t>(row);
    mirror();
}

void SkillTreeScreen::markMilestone(int row) {
    const auto entry = static_cast<std::size_t>(row);
    const model::Milestone* there = model::milestoneAt(m_document.milestones(), entry);
    const std::string name = m_toolkit.inputBox(
        "Name the moment after " + model::formatEntry(m_build.character()->history().at(entry)) +
            " (\"Act 2\", \"Nightmare\", \"Respec here\"):",
        "Mark Milestone", there != nullptr ? there->name : std::string());
    if (name.empty()) {
        return; // cancelled: the milestone, if any, stays
    }
    if (const auto why = m_document.markMilestone(entry, name)) {
        m_toolkit.messageBox(*why, "Mark Milestone", toolkit::Icon::Information, toolkit::Buttons::Ok);
    }
}

void SkillTreeScreen::goToMilestone(int step) {
    const std::vector<model::Milestone>& milestones = m_document.milestones();
    const int count = m_history->count();
    const int from = m_past ? static_cast<int>(m_past->entries) - 1 : count - 1;
    int to = -1;
    for (const model::Milestone& m : milestones) {
        const auto entry = static_cast<int>(m.entry);
        if (step < 0 && entry < from) {
            to = entry; // the last before
        } else if (step > 0 && entry > from) {
            to = entry;
            break;
        }
    }
    if (to < 0) {
        to = step > 0 ? count - 1 : -1; // past the last: the present
    }
    if (to >= 0 && to < count) {
        m_history->setCurrentRow(to);
    }
}

void SkillTreeScreen::mirrorMilestones() {
    if (!showsPlan()) {
        return;
    }
    // Up to the last milestone only: a point taken changes nothing here.
    const std::vector<model::Milestone>& milestones = m_document.milestones();
    std::vector<QString> names(milestones.empty() ? 0 : milestones.back().entry + 1);
    for (const model::Milestone& m : milestones) {
        names[m.entry] = QString::fromStdString(m.name);
    }
    if (m_historyDelegate->setMilestones(std::move(names))) {
        m_history->setUniformItemSizes(milestones.empty());
        m_history->doItemsLayout();
        m_history->viewport()->update();
    }
}

void SkillTreeScreen::documentChanged(const document::PlanDocument& /*document*/,
                                      const document::DocumentChange& change) {
    if (!showsPlan()) {
        return;
    }
    mirrorMilestones();
    // The build's own changes are mirrored as the build tells them; a note or
    // a milestone changes no point, and an undo may bring back only those.
    using Kind = document::DocumentChange::Kind;
    const bool notesOnly = change.kind == Kind::Edited && (change.edit == document::EditKind::Note ||
                                                           change.edit == document::EditKind::Milestone ||
                                                           change.edit == document::EditKind::Targets);
    if (!m_editing && (notesOnly || change.kind == Kind::Undone || change.kind == Kind::Redone)) {
        mirror();
    }
}

void SkillTreeScreen::clearRefusedMark() {
    if (m_historyDelegate->refused() >= 0) {
        m_historyDelegate->setRefused(-1);
        m_history->viewport()->update();
    }
}

void SkillTreeScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_changing) {
        m_changing.reset();
        mirror();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SkillTreeScreen::rightPressed(model::TreeId tree, int index, QPoint globalPos) {
    // Looking back, the menu shows what the past offered, and cannot change it.
    emit skillMenuRequested(m_past ? m_past->state : m_build.state(),
                            model::SkillRef{tree, static_cast<std::int16_t>(index)}, globalPos,
                            lookingBack());
}

void SkillTreeScreen::compareWith(model::Plan reference, std::string name) {
    if (reference.classId != m_classId) {
        return; // the differences of skills of another class mean nothing
    }
    if (!m_comparison) {
        m_comparison = std::make_unique<ComparisonOverlay>(
            *this, m_classId, *m_history, dynamic_cast<HistoryDelegate&>(*m_history->itemDelegate()));
    }
    m_comparison->setReference(std::move(reference), std::move(name));
    mirror();
    emit referenceChanged();
}

void SkillTreeScreen::stopComparing() {
    if (comparing()) {
        m_comparison->clear();
        emit referenceChanged();
    }
}

const model::Plan* SkillTreeScreen::reference() const {
    return comparing() ? m_comparison->reference() : nullptr;
}

bool SkillTreeScreen::comparing() const {
    return m_comparison && m_comparison->active();
}

void SkillTreeScreen::copyBuildCode() {
    // A command: the screen returns to the present first, and copies the whole plan.
    returnToPresent();
    const std::string code = model::encodeBuildCode(m_document.plan());
    m_toolkit.setClipboardText(code);
    // A code carries the points and the attribute plan: the notes and the
    // targets stay behind, and the player is told so.
    const bool notes = !m_document.note().empty() || !m_document.milestones().empty();
    const char* behind = !m_document.targets().empty() ? " (the notes, milestones and targets stay behind)"
                         : notes                       ? " (the notes and milestones stay behind)"
                                                       : "";
    tell("Build code copied: " + std::to_string(code.size()) + " characters" + behind);
}

void SkillTreeScreen::copyForForum() {
    returnToPresent();
    const model::Plan plan = m_document.plan();
    const presentation::ForumFormat format =
        presentation::forumFormatNamed(m_toolkit.setting(std::string(presentation::kForumFormatSetting)));
    const std::string text =
        presentation::forumText(presentation::summarize(plan), model::encodeBuildCode(plan), format);
    m_toolkit.setClipboardText(text);
    tell("Copied for a forum as " + std::string(presentation::forumFormatName(format)) + ": " +
         std::to_string(text.size()) + " characters (the form is chosen in Summary, Ctrl+I)");
}

void SkillTreeScreen::save() {
    // The file it was saved as, else its name as a file's; a plan opened in
    // part is not offered the file it came from, which holds more.
    report::ReportName offered =
        report::ReportName::of(m_document.name().empty() ? "Character" : m_document.name());
    if (m_document.saved()) {
        offered.file = std::filesystem::path(m_document.path()).stem().string();
    } else if (m_document.stoppedShort()) {
        offered.file += " (part)";
    }
    // The report it came from, or was last saved to, is replaced without a question.
    const std::string ownReport =
        m_document.origin() == document::Origin::Report ? m_document.path() : std::string();
    if (const auto saved =
            report::saveBuildReport(m_document.plan(), m_toolkit, offered, ownReport,
                                    [this](bool visible) { m_history->setVisible(visible); })) {
        m_document.markSaved(saved->character, report::reportPath(m_toolkit.reportFolder(), saved->file));
    }
    // Whether or not the file was written, the list is back in its normal
    // state: the newest entry selected.
    selectNewestEntry();
}

void SkillTreeScreen::changeClass() {
    emit changeClassRequested();
}

void SkillTreeScreen::setNotKeptMark(const std::string& text) {
    if (m_notKept == nullptr && text.empty()) {
        return;
    }
    if (m_notKept == nullptr) {
        m_notKept = addLabel(this, "lbl_NotKept", QString(), kFootLine, textFont(8.25),
                             Qt::AlignHCenter | Qt::AlignTop);
        setTextColour(m_notKept, kBrightGold);
    }
    m_notKept->setText(QString::fromStdString(text));
    m_notKept->setVisible(!text.empty());
    m_disclaimer->setVisible(text.empty());
}

void SkillTreeScreen::closeEvent(QCloseEvent* event) {
    if (m_mayClose && !m_mayClose()) {
        event->ignore();
        return;
    }
    emit windowClosed();
    QWidget::closeEvent(event);
}

void SkillTreeScreen::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    resetHover();
}

} // namespace skillwright::screens
