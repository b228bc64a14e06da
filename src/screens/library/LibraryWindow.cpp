#include "LibraryWindow.h"

#include <screens/common/ScreenKit.h>
#include <toolkit/ShownText.h>
#include <toolkit/Toolkit.h>

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDropEvent>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <art/Art.h>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <tuple>

namespace skillwright::screens {

namespace {

/// The class's icon: the first skill of its left tree, small.
QIcon classIcon(model::ClassId classId) {
    static std::map<model::ClassId, QIcon> icons;
    auto [it, made] = icons.try_emplace(classId);
    if (made) {
        it->second = QIcon(art::skillIcon(model::classInfo(classId).trees[0], 0));
    }
    return it->second;
}

/// Reads the rows of `folder`, taking those of `known` again where their
/// file did not change, handing each batch to `batch` as it is read; returns
/// them all and its subfolders, relative to it.
std::pair<std::vector<library::LibraryRow>, std::vector<std::string>>
readFolder(const std::string& folder, const std::map<std::string, library::LibraryRow>& known,
           const std::stop_token& stop, const std::function<void(std::vector<library::LibraryRow>)>& batch) {
    // The first rows soon, the rest in larger batches.
    constexpr std::size_t kFirstBatch = 25;
    constexpr std::size_t kBatch = 1000;
    std::vector<library::LibraryRow> rows;
    std::vector<std::string> folders;
    std::size_t handed = 0;
    for (const library::FoundReport& found : library::findReports(folder, &folders)) {
        if (stop.stop_requested()) {
            break;
        }
        const auto it = known.find(found.path);
        rows.push_back(it != known.end() && it->second.file == found ? it->second : library::readRow(found));
        if (rows.size() - handed == (handed == 0 ? kFirstBatch : kBatch)) {
            batch({rows.begin() + static_cast<std::ptrdiff_t>(handed), rows.end()});
            handed = rows.size();
        }
    }
    return {std::move(rows), std::move(folders)};
}

/// A folder's path relative to the library, as its item in the tree keeps it.
std::string folderOf(const QTreeWidgetItem* item) {
    return item == nullptr ? std::string() : item->data(0, Qt::UserRole).toString().toStdString();
}

} // namespace

// ---------------------------------------------------------------- the model

int LibraryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int LibraryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const std::array<const char*, ColumnCount> kTitles{
        "Class", "Name", "Level", "Points", "Most points", "Milestones", "Note", "Changed", "Folder"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) {
        return {};
    }
    return QString::fromLatin1(kTitles[static_cast<std::size_t>(section)]);
}

QVariant LibraryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const library::LibraryRow& r = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::ToolTipRole) {
        // Shown as plain text: the reason quotes the file.
        return r.opens() ? qstring(r.file.path)
                         : QStringLiteral("Does not open as it is: ") + qstring(r.refusal);
    }
    if (role == Qt::ForegroundRole && !r.opens()) {
        return QColor(128, 128, 128);
    }
    if (role == Qt::DecorationRole && index.column() == Class && r.classId) {
        return classIcon(*r.classId);
    }
    const bool sorting = role == kSortRole;
    if (role != Qt::DisplayRole && !sorting) {
        return {};
    }
    switch (index.column()) {
    case Class:
        return r.classId ? qstring(model::classInfo(*r.classId).name) : QString();
    case Name:
        return qstring(toolkit::quotedText(r.name, 120));
    case Level:
        return r.classId ? QVariant(r.level) : QVariant(QString());
    case Points:
        return sorting ? QVariant(r.treePoints[0] + r.treePoints[1] + r.treePoints[2])
                       : QVariant(r.classId ? qstring(library::treePointsText(r)) : QString());
    case Skills:
        return qstring(r.topSkills);
    case Milestones:
        return sorting ? QVariant(static_cast<qulonglong>(r.milestones))
                       : QVariant(r.milestones == 0 ? QString() : QString::number(r.milestones));
    case Note:
        return qstring(toolkit::quotedText(r.noteLine, 120));
    case Changed:
        return sorting ? QVariant(static_cast<qlonglong>(r.file.modified))
                       : QVariant(QDateTime::fromSecsSinceEpoch(r.file.modified)
                                      .toString(QStringLiteral("yyyy-MM-dd hh:mm")));
    case Folder:
        return qstring(r.file.folder);
    default:
        return {};
    }
}

Qt::ItemFlags LibraryModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | (index.isValid() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags);
}

QStringList LibraryModel::mimeTypes() const {
    return {QString::fromLatin1(kReportsFormat), QStringLiteral("text/uri-list")};
}

Qt::DropActions LibraryModel::supportedDragActions() const {
    return Qt::MoveAction | Qt::CopyAction;
}

QMimeData* LibraryModel::mimeData(const QModelIndexList& indexes) const {
    QStringList paths;
    QList<QUrl> files;
    for (const QModelIndex& index : indexes) {
        const QString path = QString::fromStdString(row(index.row()).file.path);
        if (!paths.contains(path)) {
            paths << path;
            files << QUrl::fromLocalFile(path);
        }
    }
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kReportsFormat), paths.join(QLatin1Char('\n')).toUtf8());
    mime->setUrls(files);
    return mime;
}

void LibraryModel::setRows(std::vector<library::LibraryRow> rows) {
    std::set<std::string> kept;
    for (const library::LibraryRow& r : rows) {
        kept.insert(r.file.path);
    }
    for (int at = rowCount() - 1; at >= 0; --at) {
        if (!kept.contains(m_rows[static_cast<std::size_t>(at)].file.path)) {
            beginRemoveRows({}, at, at);
            m_rows.erase(m_rows.begin() + at);
            endRemoveRows();
        }
    }
    putRows(std::move(rows));
}

void LibraryModel::putRows(std::vector<library::LibraryRow> rows) {
    std::map<std::string, int> place;
    for (int at = 0; at < rowCount(); ++at) {
        place[m_rows[static_cast<std::size_t>(at)].file.path] = at;
    }
    std::vector<library::LibraryRow> added;
    for (library::LibraryRow& r : rows) {
        const auto it = place.find(r.file.path);
        if (it == place.end()) {
            added.push_back(std::move(r));
        } else if (!(m_rows[static_cast<std::size_t>(it->second)].file == r.file)) {
            m_rows[static_cast<std::size_t>(it->second)] = std::move(r);
            emit dataChanged(index(it->second, 0), index(it->second, ColumnCount - 1));
        }
    }
    if (!added.empty()) {
        beginInsertRows({}, rowCount(), rowCount() + static_cast<int>(added.size()) - 1);
        std::move(added.begin(), added.end(), std::back_inserter(m_rows));
        endInsertRows();
    }
}

// --------------------------------------------------------------- the filter

void LibraryFilter::setFolder(const std::string& folder) {
    m_folder = folder;
    invalidateFilter();
}

void LibraryFilter::setClass(std::optional<model::ClassId> classId) {
    m_class = classId;
    invalidateFilter();
}

void LibraryFilter::setSearch(const QString& search) {
    m_search = search.toStdString();
    invalidateFilter();
}

bool LibraryFilter::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const {
    const auto& rows = static_cast<const LibraryModel*>(sourceModel())->rows();
    const library::LibraryRow& r = rows[static_cast<std::size_t>(sourceRow)];
    const std::string& in = r.file.folder;
    const bool inFolder = m_folder.empty() || (in.starts_with(m_folder) &&
                                               (in.size() == m_folder.size() || in[m_folder.size()] == '/'));
    return inFolder && (!m_class || r.classId == m_class) && library::matches(r, m_search);
}

// --------------------------------------------------------------- the window

LibraryWindow::LibraryWindow(std::string folder, toolkit::Toolkit& toolkit, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(std::move(folder)), m_toolkit(toolkit) {
    dressSideWindow(*this, "frm_Library", QStringLiteral("Library"));
    // Wide enough for every column, where the desktop is.
    const QScreen* desktop = QGuiApplication::primaryScreen();
    resize(desktop != nullptr ? std::min(1100, desktop->availableGeometry().width()) : 1100, 480);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txt_Search"));
    m_search->setPlaceholderText(QStringLiteral("Search names, skills and notes"));
    m_search->setAccessibleName(QStringLiteral("Search the library"));
    m_search->setClearButtonEnabled(true);
    bar->addWidget(m_search, 1);
    m_classes = new QComboBox(this);
    m_classes->setObjectName(QStringLiteral("cmb_Class"));
    m_classes->setAccessibleName(QStringLiteral("Class"));
    m_classes->addItem(QStringLiteral("Every class"));
    for (const model::ClassInfo& info : model::classes()) {
        m_classes->addItem(classIcon(info.id), qstring(info.name), static_cast<int>(info.id));
    }
    bar->addWidget(m_classes);
    layout->addLayout(bar);
    // Two groups of their own above the reports, each shown when it has plans.
    const auto group = [this, layout](const QString& title, const char* name, const QString& spoken) {
        auto* heading = new QLabel(title, this);
        heading->setFont(art::captionFont(10, QFont::Bold));
        layout->addWidget(heading);
        auto* list = new QListWidget(this);
        list->setObjectName(QLatin1String(name));
        list->setAccessibleName(spoken);
        list->setMaximumHeight(72);
        layout->addWidget(list);
        return std::pair{heading, list};
    };
    std::tie(m_unsavedTitle, m_unsaved) = group(QStringLiteral("Not saved"), "lst_NotSaved",
                                                QStringLiteral("Plans not saved; Enter continues one"));
    std::tie(m_recentTitle, m_recent) =
        group(QStringLiteral("Opened recently"), "lst_OpenedRecently",
              QStringLiteral("Reports opened from other folders; Enter opens one"));
    connect(m_unsaved, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        emit continueRequested(item->data(Qt::UserRole).toULongLong());
    });
    connect(m_recent, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item->flags().testFlag(Qt::ItemIsEnabled)) {
            emit openRequested(item->data(Qt::UserRole).toString());
        }
    });
    setUnsaved({});
    setRecent({});

    m_model = new LibraryModel(this);
    m_filter = new LibraryFilter(this);
    m_filter->setSourceModel(m_model);
    m_filter->setSortRole(LibraryModel::kSortRole);
    m_filter->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tbl_Library"));
    m_table->setAccessibleName(QStringLiteral("Saved plans"));
    m_table->setModel(m_filter);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(LibraryModel::Changed, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: #2a2418; color: #e8dcc0; border: 0; border-right: "
                       "1px solid #4a4030; "
                       "padding: 3px; font-weight: bold; }"));
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Every column in sight at the window's first size, the date the rows
    // are sorted by and the folder among them.
    for (const auto& [column, width] :
         {std::pair{LibraryModel::Class, 115}, std::pair{LibraryModel::Name, 120},
          std::pair{LibraryModel::Level, 45}, std::pair{LibraryModel::Points, 75},
          std::pair{LibraryModel::Skills, 140}, std::pair{LibraryModel::Milestones, 75},
          std::pair{LibraryModel::Note, 130}, std::pair{LibraryModel::Changed, 115}}) {
        m_table->setColumnWidth(column, width);
    }
    m_table->setFont(art::textFont(9));
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->setDragEnabled(true);
    m_table->setDragDropMode(QAbstractItemView::DragOnly);
    m_table->setDefaultDropAction(Qt::MoveAction);
    // The folders beside the rows: choosing one shows its plans; rows
    // dropped on one move there.
    m_folders = new QTreeWidget(this);
    m_folders->setObjectName(QStringLiteral("tre_Folders"));
    m_folders->setAccessibleName(QStringLiteral("Folders; a plan dropped on one moves there"));
    m_folders->setHeaderHidden(true);
    m_folders->setFont(art::textFont(9));
    m_folders->setAcceptDrops(true);
    m_folders->viewport()->installEventFilter(this);
    m_folders->setContextMenuPolicy(Qt::CustomContextMenu);
    showFolders({});
    connect(m_folders, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        m_filter->setFolder(folderOf(item));
        showCount();
    });
    auto* split = new QSplitter(this);
    split->setChildrenCollapsible(false);
    split->addWidget(m_folders);
    split->addWidget(m_table);
    split->setStretchFactor(1, 1);
    split->setSizes({150, 950});
    layout->addWidget(split, 1);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lbl_LibraryCount"));
    m_count->setTextFormat(Qt::PlainText);
    layout->addWidget(m_count);

    // Each command once: its menu entry, its key and its name.
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("mnu_Library"));
    for (const LibraryCommandEntry& entry : kLibraryCommands) {
        auto* action = m_menu->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(QLatin1String(entry.name));
        action->setShortcut(QKeySequence(entry.key));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, [this, command = entry.command] { run(command); });
        m_table->addAction(action);
        if (entry.command == LibraryCommand::NewFolder) {
            m_folders->addAction(action);
        }
    }
    connect(m_folders, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        if (QTreeWidgetItem* item = m_folders->itemAt(at)) {
            m_folders->setCurrentItem(item);
            QMenu::exec(m_folders->actions(), m_folders->viewport()->mapToGlobal(at), nullptr, this);
        }
    });
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        if (m_table->indexAt(at).isValid()) {
            m_menu->popup(m_table->viewport()->mapToGlobal(at));
        }
    });
    connect(m_table, &QAbstractItemView::activated, this, [this] { run(LibraryCommand::Open); });
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& search) {
        m_filter->setSearch(search);
        showCount();
    });
    connect(m_classes, &QComboBox::currentIndexChanged, this, [this](int at) {
        m_filter->setClass(at <= 0
                               ? std::nullopt
                               : std::optional(static_cast<model::ClassId>(m_classes->itemData(at).toInt())));
        showCount();
    });
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { reread(); });
    reread();
}

LibraryWindow::~LibraryWindow() {
    if (m_reader.joinable()) {
        m_reader.request_stop();
        m_reader.join();
    }
}

void LibraryWindow::reread() {
    if (m_reading) {
        m_readAgain = true; // once this reading is over
        return;
    }
    m_reading = true;
    m_readAgain = false;
    showCount();
    if (m_reader.joinable()) {
        m_reader.join();
    }
    std::map<std::string, library::LibraryRow> known;
    for (const library::LibraryRow& r : m_model->rows()) {
        known.emplace(r.file.path, r);
    }
    m_reader = std::jthread([this, folder = m_folder, known = std::move(known)](const std::stop_token& stop) {
        auto [rows, folders] =
            readFolder(folder, known, stop, [this](std::vector<library::LibraryRow> batch) {
                QMetaObject::invokeMethod(
                    this, [this, batch = std::move(batch)]() mutable { putBatch(std::move(batch)); },
                    Qt::QueuedConnection);
            });
        if (stop.stop_requested()) {
            return;
        }
        QMetaObject::invokeMethod(
            this,
            [this, rows = std::move(rows), folders = std::move(folders)]() mutable {
                finishReading(std::move(rows), std::move(folders));
            },
            Qt::QueuedConnection);
    });
}

void LibraryWindow::setUnsaved(const std::vector<ContinueChoice>& plans) {
    m_unsaved->clear();
    for (const ContinueChoice& plan : plans) {
        auto* item = new QListWidgetItem(QString::fromStdString(plan.text), m_unsaved);
        item->setData(Qt::UserRole, static_cast<qulonglong>(plan.number));
    }
    m_unsavedTitle->setVisible(!plans.empty());
    m_unsaved->setVisible(!plans.empty());
}

void LibraryWindow::setRecent(const std::vector<std::string>& paths) {
    m_recent->clear();
    for (const std::string& path : paths) {
        const std::filesystem::path file(path);
        std::error_code error;
        const bool gone = !std::filesystem::is_regular_file(file, error);
        auto* item =
            new QListWidgetItem(QString::fromStdString(toolkit::quotedText(file.stem().string(), 80) + "  (" +
                                                       toolkit::quotedText(file.parent_path().string(), 120) +
                                                       ")" + (gone ? "  gone" : "")),
                                m_recent);
        item->setData(Qt::UserRole, QString::fromStdString(path));
        if (gone) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        }
    }
    m_recentTitle->setVisible(!paths.empty());
    m_recent->setVisible(!paths.empty());
}

void LibraryWindow::putBatch(std::vector<library::LibraryRow> rows) {
    m_model->putRows(std::move(rows));
    showCount();
}

void LibraryWindow::finishReading(std::vector<library::LibraryRow> rows, std::vector<std::string> folders) {
    m_model->setRows(std::move(rows));
    showFolders(folders);
    QStringList watched{QString::fromStdString(m_folder)};
    for (const std::string& folder : folders) {
        watched << QString::fromStdString((std::filesystem::path(m_folder) / folder).string());
    }
    const QStringList before = m_watcher->directories();
    if (!before.isEmpty()) {
        m_watcher->removePaths(before);
    }
    m_watcher->addPaths(watched);
    m_reading = false;
    showCount();
    if (m_readAgain) {
        reread();
    }
}

void LibraryWindow::showFolders(const std::vector<std::string>& folders) {
    if (m_folders->topLevelItemCount() > 0 && folders == m_folderNames) {
        return;
    }
    const std::string chosen = chosenFolder();
    m_folderNames = folders;
    const QSignalBlocker quiet(m_folders);
    m_folders->clear();
    const QIcon folderIcon = art::folderIcon();
    auto* all = new QTreeWidgetItem(m_folders, {QStringLiteral("All plans")});
    all->setIcon(0, folderIcon);
    all->setData(0, Qt::UserRole, QString());
    all->setToolTip(0, QStringLiteral("Every plan; one dropped here moves to the library's own folder"));
    std::map<std::string, QTreeWidgetItem*> items{{"", all}};
    QTreeWidgetItem* current = all;
    for (const std::string& folder : folders) { // in order, so a folder comes before those in it
        const std::filesystem::path path(folder);
        const auto parent = items.find(path.parent_path().string());
        auto* item = new QTreeWidgetItem(parent != items.end() ? parent->second : all,
                                         {qstring(toolkit::quotedText(path.filename().string(), 60))});
        item->setData(0, Qt::UserRole, QString::fromStdString(folder));
        item->setIcon(0, folderIcon);
        item->setToolTip(0, qstring(toolkit::quotedText(folder, 200)));
        items.emplace(folder, item);
        if (folder == chosen) {
            current = item;
        }
    }
    m_folders->expandAll();
    m_folders->setCurrentItem(current);
    m_filter->setFolder(folderOf(current));
}

std::string LibraryWindow::chosenFolder() const {
    return folderOf(m_folders->currentItem());
}

bool LibraryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_folders->viewport()) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QTreeWidgetItem* folder = m_folders->itemAt(drop->position().toPoint());
        if (folder == nullptr ||
            !drop->mimeData()->hasFormat(QString::fromLatin1(LibraryModel::kReportsFormat))) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::MoveAction);
        drop->accept();
        if (event->type() == QEvent::Drop) {
            const QString paths =
                QString::fromUtf8(drop->mimeData()->data(QString::fromLatin1(LibraryModel::kReportsFormat)));
            const std::string into = folderOf(folder);
            // After the drag is over: moving makes the view read the folder again.
            QTimer::singleShot(0, this, [this, paths, into] {
                moveInto(paths.split(QLatin1Char('\n'), Qt::SkipEmptyParts), into);
            });
        }
        return true;
    }
    default:
        return false;
    }
}

void LibraryWindow::moveInto(const QStringList& paths, const std::string& folder) {
    const auto& rows = m_model->rows();
    for (const QString& dragged : paths) {
        // Only rows of the library move: a drag from elsewhere names nothing else.
        const std::string path = dragged.toStdString();
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&path](const library::LibraryRow& r) { return r.file.path == path; });
        if (row == rows.end() || row->file.folder == folder) {
            continue;
        }
        const library::FileChange change = library::moveReport(*row, m_folder, folder);
        if (!change.done()) {
            tell(change.error);
        }
    }
    reread();
}

void LibraryWindow::showCount() {
    const int shown = m_filter->rowCount();
    const int all = m_model->rowCount();
    QString told = shown == all ? QStringLiteral("%1 plans").arg(all)
                                : QStringLiteral("%1 of %2 plans").arg(shown).arg(all);
    if (m_reading) {
        told += QStringLiteral(", reading the folder...");
    }
    m_count->setText(told + QStringLiteral(" in ") +
                     QString::fromStdString(toolkit::quotedText(m_folder, 200)));
}

std::optional<library::LibraryRow> LibraryWindow::selected() const {
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid()) {
        return std::nullopt;
    }
    return m_model->row(m_filter->mapToSource(current).row());
}

void LibraryWindow::tell(const std::string& told) {
    m_toolkit.messageBox(told, "Library", toolkit::Icon::Critical, toolkit::Buttons::Ok);
}

void LibraryWindow::run(LibraryCommand command) {
    if (command == LibraryCommand::NewFolder) {
        const std::string name = m_toolkit.inputBox("The new folder's name:", "New Folder", "New Folder");
        const std::string within = chosenFolder();
        if (name.find_first_not_of(' ') != std::string::npos) {
            const library::FileChange made =
                library::makeFolder(m_folder, within.empty() ? name : within + "/" + name);
            if (!made.done()) {
                tell(made.error);
            }
            reread();
        }
        return;
    }
    const std::optional<library::LibraryRow> row = selected();
    if (!row) {
        return;
    }
    const QString path = QString::fromStdString(row->file.path);
    switch (command) {
    case LibraryCommand::Open:
        emit openRequested(path);
        return;
    case LibraryCommand::CompareWith:
        emit compareRequested(path);
        return;
    case LibraryCommand::Duplicate:
    case LibraryCommand::Rename: {
        library::FileChange change;
        if (command == LibraryCommand::Duplicate) {
            change = library::duplicateReport(*row);
        } else {
            const std::string name = m_toolkit.inputBox("The plan's new name:", "Rename", row->name);
            if (name.empty() || name == row->name) {
                return;
            }
            change = library::renameReport(*row, name);
        }
        if (!change.done()) {
            tell(change.error);
        }
        reread();
        return;
    }
    case LibraryCommand::MoveToFolder: {
        const std::string folder = m_toolkit.inputBox(
            "The folder to move it to, as \"Season 2/Cold\" (a new name makes a new folder; a blank "
            "leaves the folders):",
            "Move to Folder", row->file.folder);
        if (folder.empty()) {
            return; // Cancel
        }
        moveInto({QString::fromStdString(row->file.path)}, folder);
        return;
    }
    case LibraryCommand::Trash:
        if (!m_toolkit.moveToTrash(row->file.path)) {
            // Built up in place: GCC 12 at -O3 warns wrongly about `"\"" + std::string`.
            std::string why = toolkit::quotedText(row->name, 80);
            why.insert(why.begin(), '"');
            tell(why + "\" could not be moved to the trash.");
        }
        reread();
        return;
    case LibraryCommand::NewFolder:
        return; // above: it needs no row
    case LibraryCommand::ShowFolder:
        m_toolkit.openAddress(
            QUrl::fromLocalFile(
                QString::fromStdString(std::filesystem::path(row->file.path).parent_path().string()))
                .toString()
                .toStdString());
        return;
    }
}

} // namespace skillwright::screens
