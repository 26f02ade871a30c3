#pragma once
// The main window's file browser (object name Frame1): the drive, the folder list, the type of file shown,
// the file list and the buttons that work on the listed files.

#include <QGroupBox>
#include <string>
#include <vector>

#include "files/folder_files.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qelvar {

class FileBrowser : public QGroupBox {
    Q_OBJECT
public:
    // The current folder, "ARP files".
    explicit FileBrowser(QWidget* parent = nullptr);

    // Shows a folder (and remembers it in the settings file); false when it is no folder.
    bool openFolder(const std::string& folder);
    std::string currentFolder() const { return folder_; }
    FileType fileTypeShown() const { return fileTypeShown_; }
    // Chooses the type entry (0 = SBS, 1 = ARP, 2 = DAT, 3 = sector files).
    void chooseFileType(int index);
    // The file name the file list's current entry shows; empty when none.
    std::string selectedFileName() const;
    // Every name the file list shows, in its order, and the ones selected.
    std::vector<std::string> listedFileNames() const;
    std::vector<std::string> selectedFileNames() const;
    // Whether each listed file is selected, in the list's order; marks selects by the same order.
    std::vector<bool> listedFileSelection() const;
    void selectListedFiles(const std::vector<bool>& marks);
    bool reverseOrderChosen() const;
    // The file list again, keeping the entry that was current and the ones selected.
    void refreshFileList();

signals:
    // "Load", a double-click or Enter on a file.
    void loadRequested();
    void printSelectedRequested();
    // "List subsec names" and "Mark from mask".
    void indexRequested();
    void markRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changeDrive(int index);
    void showFolderList();
    void showFileList();
    void fileSelectionChanged();
    void fileTypeChosen(int index);
    void folderActivated(QListWidgetItem* item);

    std::string folder_;
    FileType fileTypeShown_ = FileType::Arp;
    QComboBox* drive_ = nullptr;
    QListWidget* folders_ = nullptr;
    QListWidget* files_ = nullptr;
    QComboBox* fileType_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* printSelected_ = nullptr;
    QCheckBox* reverseOrder_ = nullptr;
};

}  // namespace qelvar
