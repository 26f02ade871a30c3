#include "file_browser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>
#include <filesystem>

#include "store/paths.h"
#include "store/startup.h"

namespace qelvar {

namespace {

struct FileTypeEntry {
    const char* caption;
    FileType type;
};
constexpr FileTypeEntry kFileTypes[] = {{QT_TRANSLATE_NOOP("qelvar::FileBrowser", "SBS files"), FileType::Sbs},
                                        {QT_TRANSLATE_NOOP("qelvar::FileBrowser", "ARP files"), FileType::Arp},
                                        {QT_TRANSLATE_NOOP("qelvar::FileBrowser", "DAT (Gal) files"), FileType::Dat},
                                        {QT_TRANSLATE_NOOP("qelvar::FileBrowser", "Sector files"), FileType::Sector}};

QString fromPath(const std::string& path) { return QString::fromLocal8Bit(path.c_str()); }
std::string toPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

FileBrowser::FileBrowser(QWidget* parent) : QGroupBox(tr("Load saved file"), parent) {
    QGroupBox* browser = this;
    browser->setObjectName("Frame1");
    auto* browserLayout = new QVBoxLayout(browser);
    drive_ = new QComboBox(browser);
    drive_->setObjectName("Drive1");
    drive_->setToolTip(tr("Drive"));
    QStringList roots{"/"};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) roots << volume.rootPath();
    }
    drive_->addItems(roots);
    folders_ = new QListWidget(browser);
    folders_->setObjectName("Dir1");
    folders_->setToolTip(tr("Double-click or press Enter to open a folder"));
    folders_->installEventFilter(this);
    auto* typeLabel = new QLabel(tr("Show files of type:"), browser);
    typeLabel->setObjectName("Label3");
    fileType_ = new QComboBox(browser);
    fileType_->setObjectName("Combo1");
    for (const FileTypeEntry& entry : kFileTypes) fileType_->addItem(tr(entry.caption), static_cast<int>(entry.type));
    typeLabel->setBuddy(fileType_);
    files_ = new QListWidget(browser);
    files_->setObjectName("File1");
    files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    files_->setToolTip(tr("Double-click or press Enter to load a file"));
    files_->installEventFilter(this);
    fileType_->setToolTip(tr("The kind of file the list shows"));
    load_ = button("Command4", tr("&Load"), browser);
    load_->setEnabled(false);
    load_->setDefault(true);
    printSelected_ = button("Command5", tr("Print all selected"), browser);
    printSelected_->setEnabled(false);
    load_->setToolTip(tr("Load the selected file and draw its map"));
    printSelected_->setToolTip(tr("Load and print every selected file"));
    auto* index = button("Command3", tr("List subsec names"), browser);
    auto* mark = button("Command2", tr("Mark from mask"), browser);
    reverseOrder_ = new QCheckBox(tr("Reverse order ?"), browser);
    reverseOrder_->setObjectName("Check3D1");
    reverseOrder_->setToolTip(tr("Print the selected files from the last to the first"));
    index->setToolTip(tr("List the subsector names of the listed files"));
    mark->setToolTip(tr("Select the listed files whose names begin with a text"));

    browserLayout->addWidget(drive_);
    browserLayout->addWidget(folders_, 2);
    browserLayout->addWidget(typeLabel);
    browserLayout->addWidget(fileType_);
    browserLayout->addWidget(files_, 3);
    auto* loadRow = new QHBoxLayout;
    loadRow->addWidget(load_);
    loadRow->addWidget(printSelected_);
    browserLayout->addLayout(loadRow);
    auto* markRow = new QHBoxLayout;
    markRow->addWidget(index);
    markRow->addWidget(mark);
    browserLayout->addLayout(markRow);
    browserLayout->addWidget(reverseOrder_);

    connect(drive_, &QComboBox::activated, this, &FileBrowser::changeDrive);
    connect(folders_, &QListWidget::itemActivated, this, &FileBrowser::folderActivated);
    connect(fileType_, &QComboBox::currentIndexChanged, this, &FileBrowser::fileTypeChosen);
    connect(files_, &QListWidget::itemSelectionChanged, this, &FileBrowser::fileSelectionChanged);
    connect(files_, &QListWidget::itemDoubleClicked, this, [this] {
        load_->setEnabled(true);
        printSelected_->setEnabled(true);
        emit loadRequested();
    });
    connect(load_, &QPushButton::clicked, this, &FileBrowser::loadRequested);
    connect(printSelected_, &QPushButton::clicked, this, &FileBrowser::printSelectedRequested);
    connect(index, &QPushButton::clicked, this, &FileBrowser::indexRequested);
    connect(mark, &QPushButton::clicked, this, &FileBrowser::markRequested);

    std::error_code ignored;
    const std::string current = std::filesystem::current_path(ignored).string();
    folder_ = current.empty() ? "/" : current;
    showFolderList();
    fileType_->setCurrentIndex(1);  // "ARP files"
    fileTypeChosen(1);
}

void FileBrowser::chooseFileType(int index) { fileType_->setCurrentIndex(index); }

bool FileBrowser::reverseOrderChosen() const { return reverseOrder_->isChecked(); }

std::vector<bool> FileBrowser::listedFileSelection() const {
    std::vector<bool> selected;
    for (int i = 0; i < files_->count(); ++i) selected.push_back(files_->item(i)->isSelected());
    return selected;
}

void FileBrowser::selectListedFiles(const std::vector<bool>& marks) {
    for (int i = 0; i < files_->count() && static_cast<std::size_t>(i) < marks.size(); ++i) {
        files_->item(i)->setSelected(marks[static_cast<std::size_t>(i)]);
    }
}

bool FileBrowser::openFolder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::canonical(folder, error);
    if (error || !std::filesystem::is_directory(path, error)) return false;
    folder_ = path.string();
    showFolderList();
    showFileList();
    load_->setEnabled(false);
    printSelected_->setEnabled(false);
    // The settings file remembers the folder; a settings file that cannot be written changes nothing.
    (void)saveSettings(folder_);
    return true;
}

void FileBrowser::changeDrive(int index) { openFolder(toPath(drive_->itemText(index))); }

void FileBrowser::showFolderList() {
    // The drive that holds the folder: the longest mount point it lies under.
    int driveIndex = 0;
    for (int i = 0; i < drive_->count(); ++i) {
        const std::string root = toPath(drive_->itemText(i));
        if (folder_.starts_with(root) && root.size() > toPath(drive_->itemText(driveIndex)).size()) driveIndex = i;
    }
    drive_->setCurrentIndex(driveIndex);

    // The folder list: the folders from the root down to the current one, opened, then its subfolders.
    folders_->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    std::vector<std::filesystem::path> chain;
    for (std::filesystem::path p(folder_); !p.empty(); p = p.parent_path()) {
        chain.insert(chain.begin(), p);
        if (p == p.parent_path()) break;
    }
    int depth = 0;
    for (const auto& p : chain) {
        const QString name = p == p.root_path() ? fromPath(p.string()) : fromPath(p.filename().string());
        auto* entry = new QListWidgetItem(open, QString(depth * 2, ' ') + name, folders_);
        entry->setData(Qt::UserRole, fromPath(p.string()));
        ++depth;
    }
    QListWidgetItem* current = folders_->item(folders_->count() - 1);
    const QStringList children =
        QDir(fromPath(folder_)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* entry = new QListWidgetItem(closed, QString(depth * 2, ' ') + child, folders_);
        entry->setData(Qt::UserRole, fromPath(joinPath(folder_, toPath(child))));
    }
    folders_->setCurrentItem(current);
}

void FileBrowser::folderActivated(QListWidgetItem* item) {
    if (!item) return;
    const std::string path = toPath(item->data(Qt::UserRole).toString());
    if (path != folder_) openFolder(path);
}

void FileBrowser::fileTypeChosen(int index) {
    const int number = fileType_->itemData(index).toInt();
    for (const FileTypeEntry& entry : kFileTypes) {
        if (static_cast<int>(entry.type) == number) fileTypeShown_ = entry.type;
    }
    showFileList();
}

void FileBrowser::showFileList() {
    files_->clear();
    // The type's extension matches without regard to case, as on the file system the program was made for.
    if (const auto names = filesOfType(folder_, fileTypeShown_)) {  // a folder that cannot be read lists nothing
        for (const std::string& name : *names) files_->addItem(fromPath(name));
    }
    fileSelectionChanged();
}

std::vector<std::string> FileBrowser::listedFileNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < files_->count(); ++i) names.push_back(toPath(files_->item(i)->text()));
    return names;
}

std::vector<std::string> FileBrowser::selectedFileNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < files_->count(); ++i) {
        if (files_->item(i)->isSelected()) names.push_back(toPath(files_->item(i)->text()));
    }
    return names;
}

void FileBrowser::fileSelectionChanged() {
    const bool any = !files_->selectedItems().isEmpty();
    load_->setEnabled(any);
    printSelected_->setEnabled(any);
}

std::string FileBrowser::selectedFileName() const {
    const QListWidgetItem* item = files_->currentItem();
    if (!item || !item->isSelected()) {
        const auto selected = files_->selectedItems();
        item = selected.isEmpty() ? nullptr : selected.front();
    }
    return item ? toPath(item->text()) : std::string();
}

void FileBrowser::refreshFileList() {
    const std::string current = files_->currentItem() ? toPath(files_->currentItem()->text()) : std::string();
    const std::vector<std::string> selected = selectedFileNames();
    const QSignalBlocker quiet(files_);
    showFileList();
    for (const std::string& name : selected) {
        for (QListWidgetItem* item : files_->findItems(fromPath(name), Qt::MatchExactly)) item->setSelected(true);
    }
    if (!current.empty()) {
        const auto found = files_->findItems(fromPath(current), Qt::MatchExactly);
        if (!found.isEmpty()) files_->setCurrentItem(found.front(), QItemSelectionModel::NoUpdate);
    }
    fileSelectionChanged();
}

bool FileBrowser::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == folders_ || watched == files_) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == folders_) {
                folderActivated(folders_->currentItem());
            } else {
                emit loadRequested();
            }
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace qelvar
