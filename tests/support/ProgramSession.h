// The real program with the scripted toolkit, its reports in a folder of the
// test's own, and what the suites of the whole program do with it.
#pragma once

#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <Program.h>
#include <document/PlanDocument.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace skillwright::testing {

class ProgramSession {
public:
    ProgramSession() {
        toolkit.folder = folder.path().toStdString();
        restart(false);
    }
    virtual ~ProgramSession() {
        letDeletionsRun(); // screens closed on the way go while their document lives
        program.reset();
        std::error_code ignored; // file names in any encoding, which QDir cannot remove
        std::filesystem::remove_all(toolkit.folder, ignored);
    }
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    /// A new program over a new plan document, with the same toolkit and folders.
    void restart(bool started = true) {
        letDeletionsRun();
        program.reset();
        document.emplace();
        program.emplace(*document, toolkit);
        if (started) {
            program->start();
        }
    }
    [[nodiscard]] screens::SkillTreeScreen* tree() { return program->treeScreen(); }
    [[nodiscard]] screens::StartScreen& start() { return program->startScreen(); }

    /// Opens the generator by the dice (or "Random") and generates `option` up to `level`, saying Yes.
    void generate(bool byDice, const char* option, const char* level) {
        click(&start(), byDice ? "Command1" : "lbl_Random");
        QWidget* dialog = program->generatorDialog();
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->findChild<QRadioButton*>(option), Qt::LeftButton, {}, QPoint(8, 13));
        auto* box = dialog->findChild<QLineEdit*>("txt_Level");
        box->setText(QString::fromLatin1(level));
        QTest::keyClick(box, Qt::Key_Return);
    }
    /// A click on the control `name` of `window`.
    static void click(QWidget* window, const char* name, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* widget = window != nullptr ? window->findChild<QWidget*>(name) : nullptr;
        ASSERT_NE(widget, nullptr) << name;
        QTest::mouseClick(widget, button);
    }
    /// The tree screen of the class whose label on the start screen is `classLabel`.
    screens::SkillTreeScreen* choose(const char* classLabel) {
        click(&start(), classLabel);
        return tree();
    }
    /// The texts of the tree screen's history list.
    [[nodiscard]] QStringList historyShown() {
        QStringList texts;
        auto* list = tree()->findChild<QListWidget*>("lb_SkillsPerLevel");
        for (int i = 0; i < list->count(); ++i) {
            texts << list->item(i)->text();
        }
        return texts;
    }
    /// The text of the tree screen's label `name`.
    [[nodiscard]] QString label(const char* name) { return tree()->findChild<QLabel*>(name)->text(); }
    static void letDeletionsRun() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    /// Drops `data` of the type `format` on `target` as the platform does:
    /// nothing is acted on inside the drop, and the window taking it stays
    /// while it does. Then lets what the drop asked for run, its data gone by then.
    void drop(QWidget* target, const QString& format, const QByteArray& data, bool taken = true) {
        const std::size_t messages = toolkit.messages.size();
        {
            QMimeData mime;
            mime.setData(format, data);
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            EXPECT_EQ(enter.isAccepted(), taken) << data.left(80).toStdString();
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &dropped);
            EXPECT_EQ(toolkit.messages.size(), messages) << "acted on inside the drop";
            EXPECT_TRUE(target->isVisible()) << "the window taking the drop went while it did";
        }
        QCoreApplication::processEvents();
        letDeletionsRun();
    }
    /// Writes `text` to the file `name` in the folder.
    std::filesystem::path write(const std::string& name, const std::string& text) const {
        const std::filesystem::path file = std::filesystem::path(toolkit.folder) / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }
    [[nodiscard]] static std::string read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    QTemporaryDir folder; ///< where SAVE writes and the animations are looked for
    toolkit::ScriptedToolkit toolkit;
    std::optional<document::PlanDocument> document;
    [[nodiscard]] const model::Build& build() const { return document->build(); }
    std::optional<app::Program> program;
};

} // namespace skillwright::testing
