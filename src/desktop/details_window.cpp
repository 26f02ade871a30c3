#include "details_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <functional>

#include "store/codes.h"
#include "store/subsector_store.h"
#include "details/description_table.h"
#include "details/field_edits.h"
#include "details/notes_file.h"
#include "pick_box.h"
#include "value_entry_dialog.h"
#include "details/world_details.h"
#include "map/map_pointer.h"
#include "seams/prompter.h"
#include "text_codec.h"
#include "window_placement.h"
#include "text_window.h"

namespace qelvar {

namespace {

// A value label that opens its editor when clicked.
class ValueLabel : public QLabel {
public:
    ValueLabel(const char* name, QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), onClick_(std::move(onClick)) {
        setObjectName(name);
        setTextFormat(Qt::PlainText);
        setCursor(Qt::PointingHandCursor);
        setToolTip("Click to change");
        setFrameShape(QFrame::StyledPanel);
        setMargin(2);
        setTextInteractionFlags(Qt::NoTextInteraction);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_) {
            onClick_();
        }
        QLabel::mouseReleaseEvent(event);
    }

private:
    std::function<void()> onClick_;
};

QLabel* fixedLabel(const char* name, const char* caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A caption as a label shows it: Windows-1252 bytes with CR LF line breaks.
QString shownCaption(const std::string& caption) {
    QString text = fromBytes(caption);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

}  // namespace

DetailsWindow::DetailsWindow(SubsectorStore& store, Prompter& prompter, QWidget* parent)
    : QDialog(parent), store_(store), prompter_(prompter) {
    setObjectName("Form2");
    setWindowTitle("DETAILS");
    setModal(true);

    auto* frame = new QGroupBox("Star system details: ", this);
    frame->setObjectName("Frame3d1");
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);

    const auto value = [this, frame](const char* name, void (DetailsWindow::*edit)()) {
        return new ValueLabel(name, frame, [this, edit] { (this->*edit)(); });
    };
    const auto readOnly = [frame](const char* name) {
        QLabel* label = fixedLabel(name, "", frame);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };

    int row = 0;
    grid->addWidget(fixedLabel("Label1", "Name", frame), row, 0);
    grid->addWidget(value("Label2", &DetailsWindow::editName), row, 1, 1, 3);
    ++row;
    // The headings of the UWP lines; the block itself carries them in a fixed-pitch font, so this column
    // stays hidden.
    QLabel* uwpHeadings = fixedLabel("Label5", "", frame);
    uwpHeadings->hide();
    QLabel* uwp = value("Label6", &DetailsWindow::editUwpDigit);
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::TypeWriter);
    uwp->setFont(fixed);
    uwp->setMinimumHeight(uwp->fontMetrics().lineSpacing() * 8 + 8);
    uwp->setFrameShape(QFrame::NoFrame);
    // The longest descriptions run past any sensible window width: the block scrolls sideways instead of
    // breaking its fixed columns.
    auto* uwpArea = new QScrollArea(frame);
    uwpArea->setWidget(uwp);
    uwpArea->setWidgetResizable(true);
    uwpArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    uwpArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    uwpArea->setMinimumHeight(uwp->minimumHeight() + uwpArea->horizontalScrollBar()->sizeHint().height() + 4);
    grid->addWidget(uwpArea, row, 0, 1, 4);
    ++row;
    grid->addWidget(fixedLabel("Label7", "Base", frame), row, 0);
    grid->addWidget(value("Label8", &DetailsWindow::editBase), row, 1, 1, 3);
    ++row;
    grid->addWidget(fixedLabel("Label9", "Zone", frame), row, 0);
    grid->addWidget(value("Label10", &DetailsWindow::editZone), row, 1, 1, 3);
    ++row;
    grid->addWidget(fixedLabel("Label11", "Gas", frame), row, 0);
    grid->addWidget(value("Label12", &DetailsWindow::editPag), row, 1);
    grid->addWidget(fixedLabel("Label13", "Stars", frame), row, 2);
    QLabel* stars = value("Label14", &DetailsWindow::editStars);
    stars->setMinimumHeight(stars->fontMetrics().lineSpacing() * 3 + 8);
    grid->addWidget(stars, row, 3, 3, 1);
    ++row;
    grid->addWidget(fixedLabel("Label15", "PAG", frame), row, 0);
    grid->addWidget(value("Label16", &DetailsWindow::editPag), row, 1);
    ++row;
    ++row;
    grid->addWidget(fixedLabel("Label17", "Notes", frame), row, 0);
    grid->addWidget(value("Label18", &DetailsWindow::editNotes), row, 1, 1, 3);
    ++row;
    grid->addWidget(fixedLabel("Label19", "Algn", frame), row, 0);
    grid->addWidget(value("Label20", &DetailsWindow::editAllegiance), row, 1, 1, 3);
    ++row;
    grid->addWidget(fixedLabel("Label21", "Cargo base", frame), row, 0);
    grid->addWidget(readOnly("Label22"), row, 1);
    grid->addWidget(fixedLabel("Label23", "Trade code", frame), row, 2);
    grid->addWidget(readOnly("Label24"), row, 3);
    ++row;
    grid->addWidget(fixedLabel("Label25", "Traffic/facility", frame), row, 0);
    QLabel* traffic = readOnly("Label26");
    traffic->setMinimumHeight(traffic->fontMetrics().lineSpacing() * 2 + 4);
    grid->addWidget(traffic, row, 1, 1, 3);
    grid->addWidget(uwpHeadings, row + 1, 0);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 2);

    auto* hint = fixedLabel("Label3", "Click each field to modify values!", this);
    hint->setEnabled(false);
    auto* done = new QPushButton("Done", this);
    done->setObjectName("Command1");
    done->setDefault(true);
    notes_ = new QPushButton("Notes", this);
    notes_->setObjectName("Command2");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(done);
    bottom->addStretch(1);
    bottom->addWidget(notes_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(bottom);

    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(notes_, &QPushButton::clicked, this, &DetailsWindow::editNotesFile);

    setMinimumWidth(760);
}

DetailsWindow::~DetailsWindow() = default;

void DetailsWindow::setNotesEnabled(bool enabled) { notes_->setEnabled(enabled); }

void DetailsWindow::activate() {
    setWindowTitle(fromBytes(store_.appTitle));
    locationOffset_ = reportedLetterOffset();
    displayForm();
}

int DetailsWindow::reportedLetterOffset() {
    const auto offset = letterOffset(store_.subsectorLetter);
    if (!offset) prompter_.message(kDuffLetterMessage);
    return offset.value_or(0);
}

void DetailsWindow::displayForm() {
    const auto captions = worldDetailCaptions(store_, descriptionTable(), store_.detailIndex, locationOffset_);
    for (const ControlCaption& c : captions) {
        const QString text = shownCaption(c.caption);
        if (c.control == "Form2") {
            setWindowTitle(text);
        } else if (auto* frame = findChild<QGroupBox*>(QString::fromStdString(c.control))) {
            frame->setTitle(text);
        } else if (auto* label = findChild<QLabel*>(QString::fromStdString(c.control))) {
            label->setText(text);
        } else if (auto* button = findChild<QPushButton*>(QString::fromStdString(c.control))) {
            button->setText(text);
        }
    }
}

ValueEntryDialog& DetailsWindow::valueEntryDialog() {
    if (!valueEntry_) valueEntry_ = new ValueEntryDialog(store_, prompter_, this);
    return *valueEntry_;
}

PickBox& DetailsWindow::pickBox() {
    if (!pickBox_) pickBox_ = new PickBox(prompter_, this);
    return *pickBox_;
}

TextWindow& DetailsWindow::textWindow() {
    if (!textWindow_) textWindow_ = new TextWindow(this);
    return *textWindow_;
}

void DetailsWindow::changed() {
    displayForm();
    store_.unsavedChanges = 1;
}

std::string DetailsWindow::inputBox(const char* prompt, const std::string& current) {
    return prompter_.inputBox(prompt, store_.appTitle, current);
}

void DetailsWindow::editName() {
    WorldRecord& w = store_.worlds[static_cast<std::size_t>(store_.detailIndex)];
    const std::string answer = inputBox("System name", w.name.shown());
    if (!storeName(w, answer)) return;
    // Only the name label shows the answer; the other captions wait for the next rebuild.
    findChild<QLabel*>("Label2")->setText(fromBytes(answer));
    store_.unsavedChanges = 1;
}

void DetailsWindow::editUwpDigit() {
    const PickedOption picked = pickBox().pickOption(kUwpPickOptions, kUwpPickTitle);
    if (picked.text == kAbandonOption) return;
    const auto field = uwpDigitField(picked.number);
    if (!field) return;
    WorldRecord& w = store_.worlds[static_cast<std::size_t>(store_.detailIndex)];
    const std::string current(1, w.uwp.shown()[static_cast<std::size_t>(field->position) - 1]);
    const auto answer = valueEntryDialog().askNewValue(field->prefix, field->fieldName, current);
    if (storeUwpDigit(w, field->position, answer)) changed();
}

void DetailsWindow::editBase() {
    WorldRecord& w = store_.worlds[static_cast<std::size_t>(store_.detailIndex)];
    if (storeBase(w, valueEntryDialog().askNewValue('B', "Base", w.base.shown()))) changed();
}

void DetailsWindow::editZone() {
    WorldRecord& w = store_.worlds[static_cast<std::size_t>(store_.detailIndex)];
    if (storeZone(w, valueEntryDialog().askNewValue('Z', "Zone", w.zone.shown()))) changed();
}

void DetailsWindow::editPag() {
    WorldRecord& w = store_.worlds[static_cast<std::size_t>(store_.detailIndex)];
    if (storePag(w, inputBox("Pop Ast Gas", w.pag.shown()))) changed();
}

void DetailsWindow::editStars() {
    WorldRecord& w = store_.worlds[static_cast<std::size_t>(store_.detailIndex)];
    const FixedText<6>* stars[3] = {&w.star1, &w.star2, &w.star3};
    for (int i = 0; i < 3; ++i) {
        const std::string prompt = "Star " + std::to_string(i + 1);
        if (storeStar(w, i + 1, inputBox(prompt.c_str(), stars[i]->shown()))) changed();
    }
}

void DetailsWindow::editNotes() {
    WorldRecord& w = store_.worlds[static_cast<std::size_t>(store_.detailIndex)];
    if (storeNotes(w, inputBox("Notes", w.notes.shown()))) changed();
}

void DetailsWindow::editAllegiance() {
    WorldRecord& w = store_.worlds[static_cast<std::size_t>(store_.detailIndex)];
    if (storeAllegiance(w, valueEntryDialog().askNewValue('Y', "Aliegance", w.allegiance.shown()))) changed();
}

void DetailsWindow::editNotesFile() {
    const WorldRecord& w = store_.worlds[static_cast<std::size_t>(store_.detailIndex)];
    const int offset = reportedLetterOffset();
    const std::string path = notesFilePath(mapFolder_, offset + w.location);
    const auto notes = readNotesFile(path);
    if (!notes) return;  // an unreadable notes file ends the action; nothing is damaged

    QString text = fromBytes(*notes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QString heading = "Edit notes for " + findChild<QGroupBox*>("Frame3d1")->title();
    if (!textWindow().edit(heading, text)) return;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const auto written = writeNotesFile(path, toBytes(text));
    // The typed notes would be lost without a word; say so instead.
    if (!written) prompter_.message(written.error(), MessageIcon::Exclamation, store_.appTitle);
}

void showWorldDetails(QWidget* parent, SubsectorStore& store, Prompter& prompter, int slot, const std::string& folder,
                      const std::string& selectedFileName) {
    store.detailIndex = slot;
    DetailsWindow window(store, prompter, parent);
    window.setMapFolder(folder);
    window.setNotesEnabled(notesAvailableFor(selectedFileName));
    window.activate();
    window.adjustSize();
    placeOnScreen(window, 0.5);
    window.exec();
}

}  // namespace qelvar
