#include "SkillStatsViewer.h"

#include "ProgressionPlot.h"
#include "ViewerColours.h"

#include <screens/common/CommandLabel.h>
#include <screens/common/ScreenKit.h>

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QRadialGradient>
#include <QTextDocumentFragment>
#include <QToolTip>

#include <art/Art.h>
#include <utility>
#include <vector>

namespace skillwright::stats {

using screens::qstring;
using screens::setTextColour;

namespace {

// The layout, in pixels. Four panels side by side; each holds its title
// frame and, below it, the twenty rows: level number, value, plot. Under the
// panels, the line that explains the marks, then "Close Window".
constexpr int kWidth = 900;
constexpr int kHeight = 664;
constexpr int kMargin = 24;
constexpr int kPanelGap = 12;
constexpr int kPanelWidth = (kWidth - 2 * kMargin - (kColumns - 1) * kPanelGap) / kColumns; // 204
constexpr int kPanelTop = 80;
constexpr int kTitleTop = kPanelTop + 7;
constexpr int kTitleHeight = 48;
constexpr int kRowsTop = kTitleTop + kTitleHeight + 10;
constexpr int kRowHeight = 22;
constexpr int kRowsBottom = kRowsTop + kLevels * kRowHeight;
constexpr int kPanelBottom = kRowsBottom + 8;
constexpr int kLevelLeft = 6;
constexpr int kLevelWidth = 24;
constexpr int kValueLeft = 34;
constexpr int kValueWidth = 80;
constexpr int kPlotLeft = 120;
constexpr int kPlotWidth = kPanelWidth - kPlotLeft - 8;
constexpr int kTitleInset = 26; ///< on either side of a title, clear of the mark
constexpr int kMarkWidth = 16;
constexpr int kNoteTop = kPanelBottom + 6;
constexpr int kNoteHeight = 18;
constexpr int kNoteGap = 36; ///< between the explanations of two marks
constexpr int kTipWidth = 400;
constexpr int kCloseTop = kNoteTop + kNoteHeight + 6;
constexpr int kCloseWidth = 180;
constexpr int kCloseHeight = 26;

const QString kDesignSkillLine = QStringLiteral("Current Skill:");
const QString kDesignValue = QStringLiteral("Label 1");

// A column carried back from a later patch, or of our own estimates, carries
// its mark in its title frame; the line under the panels explains it.
const QString kInferredMark = QStringLiteral("\u2020");
const QString kEstimateMark = QStringLiteral("\u2248");
const QString kInferredNote = QStringLiteral("\u2020 figures of patch 1.10 carried back to the early game");
const QString kEstimateNote = QStringLiteral("\u2248 our own estimates: no source was found for them");

/// Where a column came from, for the tip over its title frame: a first line
/// in bold that names its kind (after its mark, if it has one), then what is
/// known of its source.
QString columnTip(const Column& column) {
    QString mark;
    QString heading;
    QStringList lines;
    switch (column.origin) {
    case Origin::Listed:
        if (column.kind == ColumnKind::Empty) {
            heading = QStringLiteral("Not used by this skill");
        } else {
            heading = QStringLiteral("From a source: the same at every level");
            lines << QStringLiteral("Source: the statistics list these tables were made from")
                  << QStringLiteral("Game version: none stated");
        }
        break;
    case Origin::Exact:
    case Origin::Derived:
        heading = column.origin == Origin::Exact
                      ? QStringLiteral("From a source: read off its per-level table")
                      : QStringLiteral("From a source: worked out from the start and the step it states");
        lines << QStringLiteral("Source: ") + qstring(column.source)
              << QStringLiteral("Game version: ") + qstring(column.version);
        break;
    case Origin::Inferred:
        mark = kInferredMark;
        heading = QStringLiteral("Carried back from a later patch");
        lines << QStringLiteral(
            "The figures of patch 1.10's own per-level table, where no patch note from 1.01 to "
            "1.10 changes them. Most such figures match the early game, but about one column "
            "in seven may differ.");
        break;
    case Origin::Estimate:
        mark = kEstimateMark;
        heading = QStringLiteral("Our own estimate");
        lines << QStringLiteral(
            "No source was found for these figures: they rise in smooth steps from any known "
            "value.");
        break;
    }
    if (!column.note.empty()) {
        lines << qstring(column.note);
    }
    if (!column.doubt.empty()) {
        lines << QStringLiteral("Doubt: ") + qstring(column.doubt);
    }
    // A table of fixed width keeps the longer tips from running tall and thin.
    QString tip =
        QStringLiteral("<table width=\"%1\" cellspacing=\"0\" cellpadding=\"3\"><tr><td><b>").arg(kTipWidth);
    if (!mark.isEmpty()) {
        tip += QStringLiteral("<span style=\"color:%1\">%2</span> ").arg(colours::kGold.name(), mark);
    }
    tip += heading.toHtmlEscaped() + QStringLiteral("</b>");
    for (const QString& line : lines) {
        tip += QStringLiteral("<p style=\"margin-top:4px; margin-bottom:0px\">") + line.toHtmlEscaped() +
               QStringLiteral("</p>");
    }
    return tip + QStringLiteral("</td></tr></table>");
}

int panelLeft(int column) {
    return kMargin + column * (kPanelWidth + kPanelGap);
}

int rowTop(int row) {
    return kRowsTop + row * kRowHeight;
}

QRect titleFrameRect(int column) {
    return {panelLeft(column) + 6, kTitleTop, kPanelWidth - 12, kTitleHeight};
}

void setColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Sizes are given in points on a 96 dpi screen; the window is laid out in
// pixels, so fonts are sized in pixels too and look the same everywhere.
QFont pixelFont(QFont font, qreal points) {
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    return font;
}

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry,
                  const QFont& font, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setGeometry(geometry);
    if (font != parent->font()) {
        label->setFont(font);
    }
    label->setAlignment(alignment);
    return label;
}

/// A small gold lozenge, the ornament at the ends of the frame lines.
void drawLozenge(QPainter& painter, QPointF centre, qreal r) {
    const QPolygonF lozenge{{centre.x(), centre.y() - r},
                            {centre.x() + r, centre.y()},
                            {centre.x(), centre.y() + r},
                            {centre.x() - r, centre.y()}};
    painter.setPen(QPen(colours::kFrameBronzeDark, 1.0));
    painter.setBrush(colours::kGold);
    painter.drawPolygon(lozenge);
}

/// A horizontal gold rule that fades out at both ends.
void drawRule(QPainter& painter, qreal left, qreal right, qreal y) {
    QLinearGradient fade(left, y, right, y);
    const QColor clear = colours::translucent(colours::kGold, 0);
    fade.setColorAt(0.0, clear);
    fade.setColorAt(0.2, colours::kGold);
    fade.setColorAt(0.8, colours::kGold);
    fade.setColorAt(1.0, clear);
    painter.setPen(QPen(QBrush(fade), 1.0));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
}

/// The ground: dark, warmer at the top, with a glow behind the skill line.
void drawGround(QPainter& painter) {
    QLinearGradient ground(0, 0, 0, kHeight);
    ground.setColorAt(0.0, colours::kBackgroundTop);
    ground.setColorAt(1.0, colours::kBackgroundBottom);
    painter.fillRect(QRect(0, 0, kWidth, kHeight), ground);
    QRadialGradient glow(QPointF(kWidth / 2.0, 36), kWidth / 2.2);
    glow.setColorAt(0.0, colours::translucent(colours::kGlow, 70));
    glow.setColorAt(1.0, colours::translucent(colours::kGlow, 0));
    painter.fillRect(QRect(0, 0, kWidth, 120), glow);
}

/// The window frame, a bronze band with a thin dark line inside it and a
/// lozenge at each corner, and the rule under the skill line.
void drawWindowFrame(QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours::kFrameBronze, 2.0));
    painter.drawRect(QRectF(4, 4, kWidth - 8, kHeight - 8));
    painter.setPen(QPen(colours::kFrameBronzeDark, 1.0));
    painter.drawRect(QRectF(8.5, 8.5, kWidth - 17, kHeight - 17));
    for (const QPointF corner :
         {QPointF(5, 5), QPointF(kWidth - 5, 5), QPointF(5, kHeight - 5), QPointF(kWidth - 5, kHeight - 5)}) {
        drawLozenge(painter, corner, 5);
    }

    drawRule(painter, kMargin + 60, kWidth - kMargin - 60, 64.5);
    drawLozenge(painter, QPointF(kWidth / 2.0, 64.5), 4);
}

/// Panel `column`: its rounded frame, its title's frame and its row stripes,
/// dimmer when the column is `unused`.
void drawPanel(QPainter& painter, int column, bool unused) {
    const qreal left = panelLeft(column);
    const QRectF panel(left + 0.5, kPanelTop + 0.5, kPanelWidth - 1, kPanelBottom - kPanelTop - 1);
    painter.setPen(QPen(unused ? colours::kFrameBronzeDark : colours::kFrameBronze, 1.5));
    painter.setBrush(unused ? colours::kPanelUnused : colours::kPanel);
    painter.drawRoundedRect(panel, 6, 6);

    // The title's frame.
    const QRectF titleFrame(left + 6.5, kTitleTop + 0.5, kPanelWidth - 13, kTitleHeight - 1);
    QLinearGradient plate(0, titleFrame.top(), 0, titleFrame.bottom());
    plate.setColorAt(0.0, unused ? colours::kUnusedPlateTop : colours::kTitlePlateTop);
    plate.setColorAt(1.0, unused ? colours::kUnusedPlateBottom : colours::kTitlePlateBottom);
    painter.setBrush(plate);
    painter.setPen(QPen(unused ? colours::kFrameBronzeDark : colours::kGold, 1.0));
    painter.drawRoundedRect(titleFrame, 4, 4);

    // Every other row a shade lighter.
    for (int row = 0; row < kLevels; row += 2) {
        painter.fillRect(QRectF(left + 4, rowTop(row), kPanelWidth - 8, kRowHeight), colours::kRowStripe);
    }
}

/// The plate behind "Close Window", a lozenge at either end.
void drawClosePlate(QPainter& painter) {
    const QRectF closePlate((kWidth - kCloseWidth) / 2.0 + 0.5, kCloseTop + 0.5, kCloseWidth - 1,
                            kCloseHeight - 1);
    painter.setPen(QPen(colours::kFrameBronze, 1.0));
    painter.setBrush(colours::kClosePlate);
    painter.drawRoundedRect(closePlate, 5, 5);
    drawLozenge(painter, QPointF(closePlate.left(), closePlate.center().y()), 4);
    drawLozenge(painter, QPointF(closePlate.right(), closePlate.center().y()), 4);
}

/// The viewer's background: ground, frame, the four panels with their title
/// frames and row stripes, and the plate of "Close Window". Panels whose bit
/// is set in `unusedPanels` are drawn dimmer. Drawn once per look and kept
/// in the pixmap cache, so an opening only copies it.
QPixmap backgroundArt(unsigned unusedPanels, qreal pixelRatio) {
    const QString key = QStringLiteral("skillwright-stats-%1-%2").arg(unusedPanels).arg(pixelRatio);
    QPixmap art;
    if (QPixmapCache::find(key, &art)) {
        return art;
    }
    art = QPixmap(QSize(kWidth, kHeight) * pixelRatio);
    art.setDevicePixelRatio(pixelRatio);
    QPainter painter(&art);
    painter.setRenderHint(QPainter::Antialiasing);
    drawGround(painter);
    drawWindowFrame(painter);
    for (int c = 0; c < kColumns; ++c) {
        drawPanel(painter, c, (unusedPanels & (1U << c)) != 0);
    }
    drawClosePlate(painter);
    painter.end();

    QPixmapCache::insert(key, art);
    return art;
}

} // namespace

SkillStatsViewer::SkillStatsViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frm_SkillStats"));
    setWindowTitle(QStringLiteral("Skill Stats"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colours::kBackgroundBottom);
    // Every caption takes the parchment colour from here; only the marked
    // row and "Close Window" under the pointer set one of their own.
    palette.setColor(QPalette::WindowText, screens::qcolor(screens::kParchment));
    setPalette(palette);
    m_noteFont = pixelFont(art::textFont(8.5), 8.5);
    m_noteFont.setItalic(true);
    m_estimateFont = pixelFont(art::textFont(9), 9);
    m_estimateFont.setItalic(true);
    buildLabels();
}

SkillStatsViewer::~SkillStatsViewer() = default;

/// The fonts of a column's labels.
struct SkillStatsViewer::ColumnFonts {
    QFont title;
    QFont level;
    QFont value;
    QFont mark;
};

void SkillStatsViewer::buildLabels() {
    m_currentSkill = makeLabel(this, QStringLiteral("lbl_CurrentSkill"), kDesignSkillLine,
                               QRect(kMargin, 18, kWidth - 2 * kMargin, 40),
                               pixelFont(art::captionFont(15, QFont::Bold), 15), Qt::AlignCenter);

    const ColumnFonts fonts{pixelFont(art::captionFont(10, QFont::Bold), 10), pixelFont(art::textFont(8), 8),
                            pixelFont(art::textFont(9), 9), pixelFont(art::textFont(11, QFont::Bold), 11)};
    setFont(fonts.value); // the eighty value labels take it from here
    for (int c = 0; c < kColumns; ++c) {
        buildColumn(c, fonts);
    }
    buildNotes();
    buildCloseCommand();
}

void SkillStatsViewer::buildColumn(int c, const ColumnFonts& fonts) {
    static constexpr std::array<char, kColumns> kLetters{'A', 'B', 'C', 'D'};
    StatColumn& column = m_columns[static_cast<std::size_t>(c)];
    const int left = panelLeft(c);
    column.title = makeLabel(
        this, QStringLiteral("lbl_StatTitle%1").arg(c + 1), QStringLiteral("Stat Title %1").arg(c + 1),
        QRect(left + kTitleInset, kTitleTop + 2, kPanelWidth - 2 * kTitleInset, kTitleHeight - 4),
        fonts.title, Qt::AlignCenter);
    column.title->setWordWrap(true);
    column.mark = makeLabel(this, QStringLiteral("lbl_Mark%1").arg(c + 1), QString(),
                            QRect(left + kPanelWidth - 9 - kMarkWidth, kTitleTop + 3, kMarkWidth, kMarkWidth),
                            fonts.mark, Qt::AlignCenter);
    setColour(column.mark, colours::kGold);
    column.mark->hide();
    const QChar letter = QLatin1Char(kLetters[static_cast<std::size_t>(c)]);
    for (int row = 0; row < kLevels; ++row) {
        const auto r = static_cast<std::size_t>(row);
        column.levels[r] = makeLabel(this, QStringLiteral("lbl_SkillLevel%1(%2)").arg(letter).arg(row),
                                     QString::number(row + 1),
                                     QRect(left + kLevelLeft, rowTop(row), kLevelWidth, kRowHeight),
                                     fonts.level, Qt::AlignRight | Qt::AlignVCenter);
        column.values[r] = makeLabel(
            this, QStringLiteral("lbl_Stat%1(%2)").arg(letter).arg(row), kDesignValue,
            QRect(left + kValueLeft, rowTop(row), kValueWidth, kRowHeight), fonts.value, Qt::AlignCenter);
    }
    column.plot = new ProgressionPlot(kRowHeight, this);
    column.plot->setObjectName(QStringLiteral("plt_Stat%1").arg(letter));
    column.plot->setGeometry(left + kPlotLeft, kRowsTop, kPlotWidth, kLevels * kRowHeight);
}

void SkillStatsViewer::buildNotes() {
    m_inferredNote =
        makeLabel(this, QStringLiteral("lbl_InferredNote"), kInferredNote,
                  QRect(kMargin, kNoteTop, kWidth - 2 * kMargin, kNoteHeight), m_noteFont, Qt::AlignCenter);
    setTextColour(m_inferredNote, colours::kInferred);
    m_inferredNote->hide();
    m_estimateNote =
        makeLabel(this, QStringLiteral("lbl_EstimateNote"), kEstimateNote,
                  QRect(kMargin, kNoteTop, kWidth - 2 * kMargin, kNoteHeight), m_noteFont, Qt::AlignCenter);
    setTextColour(m_estimateNote, colours::kEstimate);
    m_estimateNote->hide();
}

void SkillStatsViewer::buildCloseCommand() {
    m_close = new screens::CommandLabel(QStringLiteral("Close Window"), this);
    m_close->setObjectName(QStringLiteral("Label1"));
    m_close->setGeometry((kWidth - kCloseWidth) / 2, kCloseTop, kCloseWidth, kCloseHeight);
    m_close->setFont(pixelFont(art::captionFont(11, QFont::Bold), 11));
    m_close->setAlignment(Qt::AlignCenter);
    m_close->setCursor(Qt::PointingHandCursor);
    setTextColour(m_close, screens::kParchment);
    connect(m_close, &screens::CommandLabel::hovered, this, [this] { setCloseHover(true); });
    // The other labels do not follow the pointer, so leaving "Close Window"
    // for one of them is what turns it back.
    connect(m_close, &screens::CommandLabel::left, this, [this] { setCloseHover(false); });
    connect(m_close, &screens::CommandLabel::clicked, this, &QWidget::close);
    m_close->setAccessibleDescription(QStringLiteral("Closes the statistics (Esc)"));
}

void SkillStatsViewer::load(model::SkillRef skill, int points) {
    markRow(points - 1);
    if (const Entry* entry = findEntry(skill)) {
        fill(*entry);
    }
}

void SkillStatsViewer::markRow(int row) {
    // Only one row is ever marked: a viewer loaded again forgets the last one,
    // whose labels go back to their column's look.
    const int previous = m_markedRow;
    m_markedRow = row >= 0 && row < kLevels ? row : -1;
    for (StatColumn& column : m_columns) {
        for (const int r : {previous, m_markedRow}) {
            if (r >= 0) {
                styleRow(column, r);
            }
        }
        column.plot->setMarkedRow(m_markedRow);
    }
    update();
}

void SkillStatsViewer::styleRow(StatColumn& column, int row) {
    // The marked row stands out in every column; elsewhere figures from a
    // source keep the window's parchment, figures carried back from a later
    // patch go a little golden, and our estimates are dimmer and italic.
    QLabel* value = column.values[static_cast<std::size_t>(row)];
    QLabel* level = column.levels[static_cast<std::size_t>(row)];
    value->setFont(column.trust == Trust::Estimate ? m_estimateFont : QFont());
    if (row == m_markedRow) {
        setTextColour(value, screens::kMarkedRow);
        setTextColour(level, screens::kMarkedRow);
        return;
    }
    switch (column.trust) {
    case Trust::Sourced:
        value->setPalette(QPalette());
        break;
    case Trust::Inferred:
        setTextColour(value, colours::kInferred);
        break;
    case Trust::Estimate:
        setTextColour(value, colours::kEstimate);
        break;
    }
    level->setPalette(QPalette());
}

void SkillStatsViewer::fill(const Entry& entry) {
    m_currentSkill->setText(qstring(entry.skillLine));
    // Title, then the twenty cells, column by column; every cell is written,
    // so nothing of a skill shown before stays behind.
    bool anyInferred = false;
    bool anyEstimated = false;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        const Column& data = entry.columns[c];
        StatColumn& column = m_columns[c];
        column.title->setText(qstring(data.title));
        for (std::size_t r = 0; r < data.texts.size(); ++r) {
            column.values[r]->setText(qstring(data.texts[r]));
        }
        column.kind = data.kind;
        if (column.trust != data.trust()) {
            column.trust = data.trust();
            for (int row = 0; row < kLevels; ++row) {
                styleRow(column, row);
            }
        }
        column.mark->setText(column.trust == Trust::Inferred   ? kInferredMark
                             : column.trust == Trust::Estimate ? kEstimateMark
                                                               : QString());
        column.mark->setVisible(column.trust != Trust::Sourced);
        column.plot->setFigures(columnFigures(data), column.trust);
        column.tip = columnTip(data);
        // A screen reader is told where the column came from without the pointer.
        column.title->setAccessibleDescription(QTextDocumentFragment::fromHtml(column.tip).toPlainText());
        anyInferred = anyInferred || column.trust == Trust::Inferred;
        anyEstimated = anyEstimated || column.trust == Trust::Estimate;
    }
    showNotes(anyInferred, anyEstimated);
    m_filled = true;
    update();
}

void SkillStatsViewer::showNotes(bool inferred, bool estimated) {
    // The explanations of the marks the skill shows, side by side and centred
    // as one line.
    std::vector<QLabel*> shown;
    for (const auto& [note, show] :
         {std::pair{m_inferredNote, inferred}, std::pair{m_estimateNote, estimated}}) {
        note->setVisible(show);
        if (show) {
            shown.push_back(note);
        }
    }
    int total = kNoteGap * (static_cast<int>(shown.size()) - 1);
    for (QLabel* note : shown) {
        total += note->fontMetrics().horizontalAdvance(note->text()) + 4;
    }
    int left = (kWidth - total) / 2;
    for (QLabel* note : shown) {
        const int width = note->fontMetrics().horizontalAdvance(note->text()) + 4;
        note->setGeometry(left, kNoteTop, width, kNoteHeight);
        left += width + kNoteGap;
    }
}

void SkillStatsViewer::setCloseHover(bool over) {
    setTextColour(m_close, over ? screens::kBronze : screens::kParchment);
}

bool SkillStatsViewer::event(QEvent* event) {
    // Over a column's title frame, the pointer tells where the column came
    // from. The title and its mark have no tips of their own and hand the
    // request up here.
    if (event->type() == QEvent::ToolTip && m_filled) {
        const auto* help = static_cast<QHelpEvent*>(event);
        for (int c = 0; c < kColumns; ++c) {
            if (titleFrameRect(c).contains(help->pos())) {
                QToolTip::showText(help->globalPos(), m_columns[static_cast<std::size_t>(c)].tip, this,
                                   titleFrameRect(c));
                return true;
            }
        }
    }
    return QWidget::event(event);
}

void SkillStatsViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SkillStatsViewer::mouseMoveEvent(QMouseEvent* event) {
    setCloseHover(false);
    QWidget::mouseMoveEvent(event);
}

void SkillStatsViewer::paintEvent(QPaintEvent* /*event*/) {
    unsigned unusedPanels = 0;
    for (int c = 0; c < kColumns; ++c) {
        if (m_filled && m_columns[static_cast<std::size_t>(c)].kind == ColumnKind::Empty) {
            unusedPanels |= 1U << c;
        }
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, backgroundArt(unusedPanels, devicePixelRatioF()));

    // What changes with the skill shown: the marked row's stripe, and beside
    // the values either the line before the plot or, for a column of one
    // text, a note that it has no plot.
    for (int c = 0; c < kColumns; ++c) {
        const StatColumn& column = m_columns[static_cast<std::size_t>(c)];
        const int left = panelLeft(c);
        if (m_markedRow >= 0) {
            painter.fillRect(QRect(left + 4, rowTop(m_markedRow), kPanelWidth - 8, kRowHeight),
                             colours::kMarkedStripe);
        }
        if (m_filled && column.kind == ColumnKind::Repeat) {
            painter.setPen(colours::kNote);
            painter.setFont(m_noteFont);
            painter.drawText(QRect(left + kPlotLeft - 6, kRowsTop, kPlotWidth + 6, kLevels * kRowHeight),
                             Qt::AlignCenter, QStringLiteral("the same\nat every\nlevel"));
        } else if ((unusedPanels & (1U << c)) == 0) {
            painter.setPen(colours::kFrameBronzeDark);
            painter.drawLine(left + kPlotLeft - 4, kRowsTop + 2, left + kPlotLeft - 4, kRowsBottom - 2);
        }
    }
}

} // namespace skillwright::stats
