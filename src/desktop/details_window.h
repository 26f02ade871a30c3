#pragma once
// Form2, the details window of one world: every field with the description of its codes, an editor behind
// each editable value (click the value), and the notes file of the hex.

#include <QDialog>
#include <QHash>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;

namespace qelvar {

class DocumentController;
class Prompter;
class SubsectorStore;
struct WorldRecord;
class PickBox;
class UwpLineField;
class TextWindow;
class ValueEntryDialog;

class DetailsWindow : public QDialog {
    Q_OBJECT
public:
    // The window of the store's worlds[slot]; every edit is a step of document's history.
    DetailsWindow(DocumentController& document, SubsectorStore& store, Prompter& prompter, int slot,
                  QWidget* parent = nullptr);
    ~DetailsWindow() override;
    int slot() const { return slot_; }

    // The folder the main window's browser shows (the notes live beside it) and whether Notes is offered.
    void setMapFolder(const std::string& folder) { mapFolder_ = folder; }
    void setNotesEnabled(bool enabled);

    // Activation: the title, the subsector letter's offset (an unknown letter is reported and counts as
    // 0) and every caption.
    void activate();
    // Rebuilds every caption from the record and the description table.
    void displayForm();

    // The dialogs behind the editors, created on first use (tests drive them).
    ValueEntryDialog& valueEntryDialog();
    PickBox& pickBox();
    TextWindow& textWindow();

private:
    void editName();
    void editUwpDigit();
    // The UWP line's profile, stored whole.
    void storeTypedUwp(const std::string& stored);
    void editBase();
    void editZone();
    void editPag();
    void editStars();
    void editNotes();
    void editAllegiance();
    void editNotesFile();
    // After an edit: the captions again (the history marks the subsector changed).
    void changed();
    // The world as record after an edit of field, as one step of the history.
    void commit(const WorldRecord& record, const QString& field);
    const WorldRecord& world() const;
    std::string inputBox(const QString& prompt, const std::string& current);
    // The offset of the subsector letter; an unknown letter is reported and counts as 0.
    int reportedLetterOffset();

    DocumentController& document_;
    SubsectorStore& store_;
    Prompter& prompter_;
    int slot_;  // the world shown, as the window was opened on it
    std::string mapFolder_;
    int locationOffset_ = 0;
    QPushButton* notes_ = nullptr;
    QGroupBox* frame_ = nullptr;
    QLabel* nameValue_ = nullptr;
    UwpLineField* uwpLine_ = nullptr;
    // The controls the captions are written to, by their object names.
    QHash<QString, QWidget*> captioned_;
    ValueEntryDialog* valueEntry_ = nullptr;
    PickBox* pickBox_ = nullptr;
    TextWindow* textWindow_ = nullptr;
};

// Opens the details of worlds[slot] modally over parent: enables Notes for a file name
// that contains ".dat", and returns when the window is closed (the caller then redraws the map). folder is
// the folder the browser shows, selectedFileName the file selected in it; each edit becomes a step of the
// document's history.
void showWorldDetails(QWidget* parent, DocumentController& document, SubsectorStore& store, Prompter& prompter,
                      int slot, const std::string& folder, const std::string& selectedFileName);

}  // namespace qelvar
