#include "RandomGeneratorDialog.h"

#include <model/RandomGeneration.h>
#include <screens/common/CommandLabel.h>
#include <screens/common/ScreenKit.h>
#include <toolkit/Toolkit.h>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

#include <art/Art.h>

namespace skillwright::generator {

using screens::css;
using screens::kBrightGold;
using screens::kBronze;
using screens::kParchment;
using screens::qstring;
using screens::setTextColour;

namespace {

struct Option {
    const char* name;
    const char* caption; ///< also the class choice it makes
};
constexpr std::array<Option, 6> kOptions{{
    {"opt_Random", "Random"},
    {"opt_Amazon", "Amazon"},
    {"opt_Barbarian", "Barbarian"},
    {"opt_Necromancer", "Necromancer"},
    {"Opt_Paladin", "Paladin"},
    {"opt_Sorceress", "Sorceress"},
}};

// The layout in pixels; the art's two wells hold the options (left) and the
// level box with the commands (right).
constexpr QSize kClientSize{360, 300};
constexpr int kOptionLeft = 24;
constexpr int kOptionTop = 84;
constexpr int kOptionStep = 30;
constexpr QSize kOptionSize{150, 26};
constexpr QRect kHeading{196, 84, 140, 22};
constexpr QRect kLevelBox{196, 110, 80, 26};
constexpr QRect kHint{196, 142, 140, 20};
constexpr QRect kGenerate{196, 200, 140, 28};
constexpr QRect kCancel{196, 236, 140, 28};
constexpr QRect kEmblem{292, 8, 56, 56};
// The class emblems of the title band, in the options' order: roundels of
// radius 16 centred at (40 + 48 k, 36) in the background art.
constexpr int kClassEmblemLeft = 24;
constexpr int kClassEmblemStep = 48;
constexpr int kClassEmblemTop = 20;
constexpr int kClassEmblemSize = 32;

/// The ring an option's indicator and a class emblem show under the pointer.
constexpr screens::Rgb kHoverRing = kBrightGold;

/// A class emblem of the title band as a button: the art beneath draws the
/// emblem, this lays the options' hover ring over it under the pointer and
/// takes a click within the roundel.
class ClassEmblem final : public QAbstractButton {
public:
    ClassEmblem(const QString& className, QWidget* parent) : QAbstractButton(parent) {
        setToolTip(className);
        setAccessibleName(className); // the class's option beneath takes the keyboard
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_Hover); // repainted as the pointer comes and goes
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        if (!underMouse()) {
            return;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor wash = screens::qcolor(kHoverRing);
        wash.setAlpha(48);
        painter.setBrush(wash);
        painter.setPen(QPen(screens::qcolor(kHoverRing), 2));
        painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    [[nodiscard]] bool hitButton(const QPoint& pos) const override {
        const QPointF offset = QPointF(pos) - QRectF(rect()).center();
        const qreal radius = width() / 2.0;
        return offset.x() * offset.x() + offset.y() * offset.y() <= radius * radius;
    }
};

QLabel* picture(QWidget* parent, const char* name, const QRect& place, const QPixmap& pixmap) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setPixmap(pixmap);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel* text(QWidget* parent, const char* name, const QString& caption, const QRect& place, const QFont& font,
             Qt::Alignment alignment, screens::Rgb colour) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    setTextColour(label, colour);
    return label;
}

} // namespace

RandomGeneratorDialog::RandomGeneratorDialog(toolkit::Toolkit& toolkit, QWidget* parent)
    : QWidget(parent, Qt::Window), m_toolkit(toolkit) {
    setObjectName(QStringLiteral("frm_RandomGenerator"));
    setWindowTitle(QStringLiteral("Random Character Generator"));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kClientSize);
    setMouseTracking(true);
    createControls();

    // Every opening starts at "Random".
    m_options[0]->setChecked(true);
    m_options[0]->setFocus();
}

RandomGeneratorDialog::~RandomGeneratorDialog() = default;

void RandomGeneratorDialog::createControls() {
    picture(this, "Image1", rect(), art::generatorBackground());
    picture(this, "Image2", kEmblem, art::generatorEmblem());
    createOptions();
    createClassEmblems();
    createLevelBox();
    createCommands();
    // Tab order: the options first, Random leading, then the box.
    for (std::size_t i = 1; i < m_options.size(); ++i) {
        setTabOrder(m_options[i - 1], m_options[i]);
    }
    setTabOrder(m_options.back(), m_level);
}

void RandomGeneratorDialog::createOptions() {
    const QFont optionFont = art::captionFont(11, QFont::Bold);
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        auto* option = new QRadioButton(QLatin1String(kOptions[i].caption), this);
        option->setObjectName(QLatin1String(kOptions[i].name));
        option->setGeometry(
            QRect(QPoint(kOptionLeft, kOptionTop + kOptionStep * static_cast<int>(i)), kOptionSize));
        option->setFont(optionFont);
        option->setStyleSheet(
            QStringLiteral("QRadioButton { color: %1; background: transparent; spacing: 8px; }"
                           "QRadioButton:focus { color: %2; }"
                           "QRadioButton::indicator { width: 9px; height: 9px; border-radius: 6px;"
                           " border: 2px solid %3; background: %4; }"
                           "QRadioButton::indicator:checked { background: %1; border-color: %2; }"
                           "QRadioButton::indicator:hover { border-color: %5; }")
                .arg(css(kBrightGold), css(kParchment), css(screens::kRing), css(screens::kRingWell),
                     css(kHoverRing)));
        option->installEventFilter(this);
        m_options[i] = option;
    }
}

void RandomGeneratorDialog::createClassEmblems() {
    // A click on a class emblem picks that class's option.
    for (std::size_t i = 1; i < m_options.size(); ++i) {
        const QString className = QLatin1String(kOptions[i].caption);
        auto* emblem = new ClassEmblem(className, this);
        emblem->setObjectName(QStringLiteral("img_Emblem") + className);
        emblem->setGeometry(kClassEmblemLeft + kClassEmblemStep * static_cast<int>(i - 1), kClassEmblemTop,
                            kClassEmblemSize, kClassEmblemSize);
        QRadioButton* option = m_options[i];
        connect(emblem, &QAbstractButton::clicked, option, [option] {
            option->setChecked(true);
            option->setFocus();
        });
    }
}

void RandomGeneratorDialog::createLevelBox() {
    text(this, "Label1", QStringLiteral("Up To This Level:"), kHeading, art::textFont(9, QFont::Bold),
         Qt::AlignLeft | Qt::AlignVCenter, kBronze);
    m_level = new QLineEdit(QStringLiteral("0"), this);
    m_level->setObjectName(QStringLiteral("txt_Level"));
    m_level->setGeometry(kLevelBox);
    m_level->setFont(art::textFont(11, QFont::Bold));
    m_level->setStyleSheet(
        QStringLiteral("QLineEdit { color: %1; background: %2; border: 1px solid %3; padding: 0 4px; }")
            .arg(css(kBrightGold), css(screens::kBoxWell), css(screens::kBoxFrame)));
    m_level->installEventFilter(this);
    m_level->setAccessibleName(QStringLiteral("Up To This Level:"));
    m_level->setAccessibleDescription(QStringLiteral("0 = Random level"));
    text(this, "Label2", QStringLiteral("0 = Random level"), kHint, art::textFont(8),
         Qt::AlignLeft | Qt::AlignVCenter, kBronze);
}

void RandomGeneratorDialog::createCommands() {
    const QFont commandFont = art::captionFont(12, QFont::Bold);
    const auto command = [&](const char* name, const QString& caption, const QRect& place) {
        auto* label = new screens::CommandLabel(caption, this);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(place);
        label->setFont(commandFont);
        label->setAlignment(Qt::AlignCenter);
        setTextColour(label, kBronze);
        connect(label, &screens::CommandLabel::hovered, this, [this, label] { setHover(label); });
        return label;
    };
    m_generate = command("lbl_Generate", QStringLiteral("Generate"), kGenerate);
    m_cancel = command("lbl_Cancel", QStringLiteral("Cancel"), kCancel);
    connect(m_generate, &screens::CommandLabel::clicked, this, &RandomGeneratorDialog::generate);
    connect(m_cancel, &screens::CommandLabel::clicked, this, &RandomGeneratorDialog::cancel);
    m_generate->setAccessibleDescription(QStringLiteral("Generate the character (Enter)"));
    m_cancel->setAccessibleDescription(QStringLiteral("Back to the start screen (Esc)"));
}

void RandomGeneratorDialog::generate() {
    // A text that never saw a key release (pasted, say) gets its check now.
    const std::string typed = m_level->text().toStdString();
    if (!model::levelBoxAccepts(typed)) {
        levelCheck();
        return;
    }
    model::GenerationRequest request;
    request.level = model::levelBoxLevel(typed);
    for (std::size_t i = 1; i < m_options.size(); ++i) {
        if (m_options[i]->isChecked()) {
            request.classId = model::generatorClass(kOptions[i].caption);
        }
    }
    const model::GenerationPlan plan = model::drawGeneration(request, [this] { return m_toolkit.random(); });
    if (m_toolkit.messageBox(model::generationQuestion(plan), std::string(model::kGenerationQuestionTitle),
                             toolkit::Icon::None, toolkit::Buttons::YesNo) != toolkit::Answer::Yes) {
        if (plan.classWasDrawn) {
            m_options[0]->setChecked(true);
            m_options[0]->setFocus();
        }
        return;
    }
    m_closing = true;
    close();
    emit generationConfirmed(plan);
}

void RandomGeneratorDialog::cancel() {
    m_closing = true;
    close();
    emit cancelled();
}

void RandomGeneratorDialog::levelCheck() {
    if (model::levelBoxAccepts(m_level->text().toStdString())) {
        return;
    }
    m_toolkit.messageBox(std::string(model::kLevelCheckText), std::string(model::kLevelCheckTitle),
                         toolkit::Icon::Information, toolkit::Buttons::Ok);
    m_level->setText(QStringLiteral("0"));
}

void RandomGeneratorDialog::setHover(QLabel* over) {
    setTextColour(m_generate, over == m_generate ? kBrightGold : kBronze);
    setTextColour(m_cancel, over == m_cancel ? kBrightGold : kBronze);
}

bool RandomGeneratorDialog::commandKey(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        generate();
        return true;
    }
    if (key == Qt::Key_Escape) {
        cancel();
        return true;
    }
    return false;
}

bool RandomGeneratorDialog::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return commandKey(static_cast<QKeyEvent*>(event)->key());
    case QEvent::KeyRelease:
        if (watched == m_level) {
            levelCheck();
        }
        return false;
    default:
        return false;
    }
}

void RandomGeneratorDialog::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    setHover(nullptr);
}

void RandomGeneratorDialog::keyPressEvent(QKeyEvent* event) {
    if (!commandKey(event->key())) {
        QWidget::keyPressEvent(event);
    }
}

void RandomGeneratorDialog::closeEvent(QCloseEvent* event) {
    // Closed by the window's frame: as Cancel.
    if (!m_closing) {
        m_closing = true;
        emit cancelled();
    }
    QWidget::closeEvent(event);
}

} // namespace skillwright::generator
