#pragma once

#include <screens/select/ContinueChoice.h>

#include <QAbstractTableModel>
#include <QKeyCombination>
#include <QSortFilterProxyModel>
#include <QWidget>

#include <array>
#include <library/Library.h>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMimeData;
class QTableView;
class QTreeWidget;

namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::screens {

/// The library's rows as a table: one row a report, its columns the class,
/// name, level, points per tree, top skills, milestones, note, when it
/// changed and its folder. Rows are replaced by path, so a selection stays
/// on its report while the folder changes around it.
class LibraryModel final : public QAbstractTableModel {
public:
    enum Column { Class, Name, Level, Points, Skills, Milestones, Note, Changed, Folder, ColumnCount };
    /// The role the proxy sorts by: numbers as numbers.
    static constexpr int kSortRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    /// A row can be dragged: onto a folder of the library to move it there,
    /// or as its file onto another window.
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    [[nodiscard]] QStringList mimeTypes() const override;
    [[nodiscard]] QMimeData* mimeData(const QModelIndexList& indexes) const override;
    [[nodiscard]] Qt::DropActions supportedDragActions() const override;
    /// What a drag of rows carries: their files' paths, one a line.
    static constexpr const char* kReportsFormat = "application/x-skillwright-reports";

    /// The rows of the folder now, in place of those before: a row whose
    /// report went is removed, a new one added, a changed one made again.
    void setRows(std::vector<library::LibraryRow> rows);
    /// Adds or replaces rows (as reading goes on).
    void putRows(std::vector<library::LibraryRow> rows);
    [[nodiscard]] const library::LibraryRow& row(int at) const {
        return m_rows[static_cast<std::size_t>(at)];
    }
    [[nodiscard]] const std::vector<library::LibraryRow>& rows() const { return m_rows; }

private:
    std::vector<library::LibraryRow> m_rows;
};

/// Filters the library by folder (with its subfolders), by class and by the
/// words searched for.
class LibraryFilter final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    /// The folder relative to the library's ("Season 2/Cold"); empty: all.
    void setFolder(const std::string& folder);
    void setClass(std::optional<model::ClassId> classId);
    void setSearch(const QString& search);

protected:
    [[nodiscard]] bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::string m_folder;
    std::optional<model::ClassId> m_class;
    std::string m_search;
};

/// What a row of the library does: one table makes the menu's entries, the
/// keys and their names.
enum class LibraryCommand : std::uint8_t {
    Open,
    CompareWith,
    Duplicate,
    Rename,
    MoveToFolder,
    NewFolder,
    Trash,
    ShowFolder
};
struct LibraryCommandEntry {
    LibraryCommand command;
    const char* name;    ///< the menu entry's objectName
    const char* caption; ///< the menu entry's text
    QKeyCombination key;
};
// clang-format off
inline constexpr std::array<LibraryCommandEntry, 8> kLibraryCommands{{
    {LibraryCommand::Open, "mnu_LibraryOpen", "Open", QKeyCombination(Qt::Key_Return)},
    {LibraryCommand::CompareWith, "mnu_LibraryCompare", "Compare With the Plan on Screen", Qt::CTRL | Qt::Key_K},
    {LibraryCommand::Duplicate, "mnu_LibraryDuplicate", "Duplicate", Qt::CTRL | Qt::Key_D},
    {LibraryCommand::Rename, "mnu_LibraryRename", "Rename...", QKeyCombination(Qt::Key_F2)},
    {LibraryCommand::MoveToFolder, "mnu_LibraryMove", "Move to Folder...", Qt::CTRL | Qt::Key_M},
    {LibraryCommand::NewFolder, "mnu_LibraryNewFolder", "New Folder...", Qt::CTRL | Qt::SHIFT | Qt::Key_N},
    {LibraryCommand::Trash, "mnu_LibraryTrash", "Move to Trash", QKeyCombination(Qt::Key_Delete)},
    {LibraryCommand::ShowFolder, "mnu_LibraryShowFolder", "Show in File Manager", Qt::CTRL | Qt::SHIFT | Qt::Key_R},
}};
// clang-format on

/// The library window (frm_Library): every report in the report folder and
/// its subfolders, read off the screen's thread so that the window is usable
/// at once and rows fill in, and followed as files come and go. A report the
/// opener refuses is listed greyed with its reason and never changed. The
/// folders stand beside the rows as a tree: choosing one shows its plans,
/// and rows dropped on one move there.
class LibraryWindow final : public QWidget {
    Q_OBJECT
public:
    LibraryWindow(std::string folder, toolkit::Toolkit& toolkit, QWidget* parent = nullptr);
    ~LibraryWindow() override;
    LibraryWindow(const LibraryWindow&) = delete;
    LibraryWindow& operator=(const LibraryWindow&) = delete;

    [[nodiscard]] const LibraryModel& model() const { return *m_model; }
    /// Whether the folder is being read.
    [[nodiscard]] bool reading() const { return m_reading; }
    /// Runs `command` on the selected row (New Folder: in the chosen folder).
    void run(LibraryCommand command);
    /// The folder chosen in the tree of folders, relative to the library's;
    /// empty: the library's own, showing every plan.
    [[nodiscard]] std::string chosenFolder() const;
    /// The plans that left the screen unsaved, in a group of their own
    /// ("Not saved") above the reports; none hides the group.
    void setUnsaved(const std::vector<ContinueChoice>& plans);
    /// The reports opened from other folders, newest first, in a group of
    /// their own ("Opened recently"); one whose file has gone is marked so.
    void setRecent(const std::vector<std::string>& paths);

signals:
    void openRequested(const QString& path);
    /// An unsaved plan of the "Not saved" group was chosen: continue it.
    void continueRequested(quint64 number);
    void compareRequested(const QString& path);

protected:
    /// Rows dragged over the tree of folders: a folder takes them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Reads the folder again off the screen's thread, keeping the rows of
    /// reports that did not change.
    void reread();
    void putBatch(std::vector<library::LibraryRow> rows);
    void finishReading(std::vector<library::LibraryRow> rows, std::vector<std::string> folders);
    /// The tree of folders anew when the library's folders changed, the
    /// chosen one kept while it is there.
    void showFolders(const std::vector<std::string>& folders);
    /// Moves the reports at `paths` (rows of the library, nothing else) into
    /// `folder`, telling what could not be moved.
    void moveInto(const QStringList& paths, const std::string& folder);
    [[nodiscard]] std::optional<library::LibraryRow> selected() const;
    void tell(const std::string& text);
    void showCount();

    std::string m_folder;
    toolkit::Toolkit& m_toolkit;
    LibraryModel* m_model = nullptr;
    LibraryFilter* m_filter = nullptr;
    QTableView* m_table = nullptr;    ///< tbl_Library
    QLineEdit* m_search = nullptr;    ///< txt_Search
    QComboBox* m_classes = nullptr;   ///< cmb_Class
    QLabel* m_count = nullptr;        ///< lbl_LibraryCount
    QMenu* m_menu = nullptr;          ///< mnu_Library
    QTreeWidget* m_folders = nullptr; ///< tre_Folders
    std::vector<std::string> m_folderNames;
    QLabel* m_unsavedTitle = nullptr;
    QListWidget* m_unsaved = nullptr; ///< lst_NotSaved
    QLabel* m_recentTitle = nullptr;
    QListWidget* m_recent = nullptr; ///< lst_OpenedRecently
    QFileSystemWatcher* m_watcher = nullptr;
    std::jthread m_reader;
    bool m_reading = false;
    bool m_readAgain = false;
};

} // namespace skillwright::screens
