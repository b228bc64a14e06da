#pragma once

#include <model/RandomGeneration.h>

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace skillwright::toolkit {
class Toolkit;
}
namespace skillwright::screens {
class CommandLabel;
}

namespace skillwright::generator {

/// The random character generator dialog: six class options, the level box
/// and the Generate and Cancel commands. Opening it is its load step: the
/// class choice is "Random", its option selected and focused, the box "0".
///
/// Enter in the box, on an option or on the dialog generates; Esc (or the
/// window's close button) cancels. A level the check refuses is answered by
/// a message box and the box goes back to "0".
///
/// The five class emblems across the title band (spear, banner, skull, cross,
/// star) are buttons too: a click picks the class's option, and under the
/// pointer they light the way the options' rings do.
///
/// Control names are the objectNames: "opt_Random" ... "Opt_Paladin",
/// "opt_Sorceress", "txt_Level", "Label1", "Label2", "lbl_Generate",
/// "lbl_Cancel", "Image1", "Image2", and the emblems "img_EmblemAmazon" ...
/// "img_EmblemSorceress".
class RandomGeneratorDialog final : public QWidget {
    Q_OBJECT
public:
    explicit RandomGeneratorDialog(toolkit::Toolkit& toolkit, QWidget* parent = nullptr);
    ~RandomGeneratorDialog() override;
    Q_DISABLE_COPY_MOVE(RandomGeneratorDialog)

    /// Generate: draws what the options and the level box leave open and asks the player.
    void generate();
    /// Cancel: the start screen comes back and the dialog closes.
    void cancel();

signals:
    /// The player said Yes: the dialog has closed; the plan's class screen is
    /// to open and be filled (fillRandomly).
    void generationConfirmed(const model::GenerationPlan& plan);
    /// Cancel or Esc: the dialog has closed; the start screen is to come back.
    void cancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    /// The six class options, "Random" first.
    void createOptions();
    /// The title band's class emblems, each picking its class's option.
    void createClassEmblems();
    void createLevelBox();
    /// "Generate" and "Cancel".
    void createCommands();
    void levelCheck();
    void setHover(QLabel* over);
    /// Enter and Esc, wherever they are typed; true when handled.
    bool commandKey(int key);

    toolkit::Toolkit& m_toolkit;
    std::array<QRadioButton*, 6> m_options{};    ///< Random, then the five classes
    QLineEdit* m_level = nullptr;                ///< txt_Level
    screens::CommandLabel* m_generate = nullptr; ///< lbl_Generate
    screens::CommandLabel* m_cancel = nullptr;   ///< lbl_Cancel
    bool m_closing = false;                      ///< closed by a command, not by the window's frame
};

} // namespace skillwright::generator
