#include "details_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <functional>

#include "store/codes.h"
#include "store/trade.h"
#include "document_controller.h"
#include "store/subsector_store.h"
#include "store/startup.h"
#include "details/description_table.h"
#include "details/field_edits.h"
#include "details/notes_file.h"
#include "pick_box.h"
#include "value_entry_dialog.h"
#include "details/world_details.h"
#include "map/map_pointer.h"
#include "seams/prompter.h"
#include "text_codec.h"
#include "uwp_line_field.h"
#include "value_label.h"
#include "window_placement.h"
#include "text_window.h"

namespace qelvar {

namespace {

QLabel* fixedLabel(const char* name, const QString& caption, QWidget* parent) {
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

DetailsWindow::DetailsWindow(DocumentController& document, SubsectorStore& store, Prompter& prompter, int slot,
                             QWidget* parent)
    : QDialog(parent), document_(document), store_(store), prompter_(prompter), slot_(slot) {
    setObjectName("Form2");
    setWindowTitle(tr("DETAILS"));
    setModal(true);

    auto* frame = new QGroupBox(tr("Star system details: "), this);
    frame->setObjectName("Frame3d1");
    frame_ = frame;
    captioned_.insert(frame->objectName(), frame);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);

    // Every control a caption is written to is kept by its name; the value labels also in reading order,
    // which is their Tab order.
    std::vector<QWidget*> tabOrder;
    const auto value = [this, frame, &tabOrder](const char* name, void (DetailsWindow::*edit)()) {
        auto* label = new ValueLabel(name, frame, [this, edit] { (this->*edit)(); });
        captioned_.insert(name, label);
        tabOrder.push_back(label);
        return label;
    };
    const auto caption = [this, frame](const char* name, const QString& text) {
        QLabel* label = fixedLabel(name, text, frame);
        captioned_.insert(name, label);
        return label;
    };
    const auto readOnly = [&caption](const char* name) {
        QLabel* label = caption(name, QString());
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };

    int row = 0;
    grid->addWidget(caption("Label1", tr("Name")), row, 0);
    grid->addWidget(value("Label2", &DetailsWindow::editName), row, 1, 1, 3);
    ++row;
    // The headings of the UWP lines; the block itself carries them in a fixed-pitch font, so this column
    // stays hidden.
    QLabel* uwpHeadings = caption("Label5", QString());
    uwpHeadings->hide();
    QLabel* uwp = value("Label6", &DetailsWindow::editUwpDigit);
    nameValue_ = qobject_cast<QLabel*>(captioned_.value("Label2"));
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
    uwpArea->setFocusPolicy(Qt::NoFocus);
    uwpArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    uwpArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    uwpArea->setMinimumHeight(uwp->minimumHeight() + uwpArea->horizontalScrollBar()->sizeHint().height() + 4);
    grid->addWidget(uwpArea, row, 0, 1, 4);
    ++row;
    uwpLine_ = new UwpLineField(frame);
    connect(uwpLine_, &UwpLineField::uwpTyped, this, &DetailsWindow::storeTypedUwp);
    tabOrder.push_back(uwpLine_);  // after the UWP block
    grid->addWidget(uwpLine_, row, 1, 1, 3);
    ++row;
    grid->addWidget(caption("Label7", tr("Base")), row, 0);
    grid->addWidget(value("Label8", &DetailsWindow::editBase), row, 1, 1, 3);
    ++row;
    grid->addWidget(caption("Label9", tr("Zone")), row, 0);
    grid->addWidget(value("Label10", &DetailsWindow::editZone), row, 1, 1, 3);
    ++row;
    grid->addWidget(caption("Label11", tr("Gas")), row, 0);
    grid->addWidget(value("Label12", &DetailsWindow::editPag), row, 1);
    grid->addWidget(caption("Label13", tr("Stars")), row, 2);
    QLabel* stars = value("Label14", &DetailsWindow::editStars);
    stars->setMinimumHeight(stars->fontMetrics().lineSpacing() * 3 + 8);
    grid->addWidget(stars, row, 3, 3, 1);
    ++row;
    grid->addWidget(caption("Label15", tr("PAG")), row, 0);
    grid->addWidget(value("Label16", &DetailsWindow::editPag), row, 1);
    ++row;
    ++row;
    grid->addWidget(caption("Label17", tr("Notes")), row, 0);
    grid->addWidget(value("Label18", &DetailsWindow::editNotes), row, 1, 1, 3);
    ++row;
    grid->addWidget(caption("Label19", tr("Algn")), row, 0);
    grid->addWidget(value("Label20", &DetailsWindow::editAllegiance), row, 1, 1, 3);
    ++row;
    grid->addWidget(caption("Label21", tr("Cargo base")), row, 0);
    grid->addWidget(readOnly("Label22"), row, 1);
    grid->addWidget(caption("Label23", tr("Trade code")), row, 2);
    grid->addWidget(readOnly("Label24"), row, 3);
    ++row;
    grid->addWidget(caption("Label25", tr("Traffic/facility")), row, 0);
    QLabel* traffic = readOnly("Label26");
    traffic->setMinimumHeight(traffic->fontMetrics().lineSpacing() * 2 + 4);
    grid->addWidget(traffic, row, 1, 1, 3);
    grid->addWidget(uwpHeadings, row + 1, 0);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 2);

    auto* hint = fixedLabel("Label3", tr("Click each field to modify values!"), this);
    hint->setEnabled(false);
    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName("Command1");
    // Return presses "Done" only while it has the focus (where the window opens); on a value it opens that
    // value's editor.
    done->setAutoDefault(true);
    done->setToolTip(tr("Close the details"));
    notes_ = new QPushButton(tr("Notes"), this);
    notes_->setObjectName("Command2");
    notes_->setToolTip(tr("Edit the notes file of this hex"));
    for (QWidget* w : {static_cast<QWidget*>(hint), static_cast<QWidget*>(done), static_cast<QWidget*>(notes_)}) {
        captioned_.insert(w->objectName(), w);
    }
    tabOrder.push_back(done);
    tabOrder.push_back(notes_);
    for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    done->setFocus();
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
    setWindowTitle(fromBytes(applicationTitle()));
    locationOffset_ = reportedLetterOffset();
    displayForm();
}

int DetailsWindow::reportedLetterOffset() {
    const auto offset = letterOffset(store_.subsectorLetter);
    if (!offset) prompter_.message(kDuffLetterMessage);
    return offset.value_or(0);
}

void DetailsWindow::displayForm() {
    const auto captions = worldDetailCaptions(store_, descriptionTable(), slot_, locationOffset_);
    for (const ControlCaption& c : captions) {
        const QString text = shownCaption(c.caption);
        if (c.control == "Form2") {
            setWindowTitle(text);
            continue;
        }
        QWidget* control = captioned_.value(QString::fromStdString(c.control));
        if (auto* frame = qobject_cast<QGroupBox*>(control)) {
            frame->setTitle(text);
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(text);
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            button->setText(text);
        }
    }
    uwpLine_->showUwp(std::string(world().uwp.trimmed()));
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

void DetailsWindow::changed() { displayForm(); }

void DetailsWindow::commit(const WorldRecord& record, const QString& field) {
    const QString hex = fromBytes(shownHex(store_.subsectorLetter, world().location));
    document_.changeWorld(slot_, record, tr("Change %1 of %2").arg(field, hex));
}

std::string DetailsWindow::inputBox(const QString& prompt, const std::string& current) {
    return prompter_.inputBox(toBytes(prompt), applicationTitle(), current);
}

const WorldRecord& DetailsWindow::world() const { return store_.worlds[static_cast<std::size_t>(slot_)]; }

void DetailsWindow::editName() {
    WorldRecord w = world();
    const std::string answer = inputBox(tr("System name"), w.name.shown());
    if (!storeName(w, answer)) return;
    commit(w, tr("name"));
    // Only the name label shows the answer; the other captions wait for the next rebuild.
    nameValue_->setText(fromBytes(answer));
}

void DetailsWindow::editUwpDigit() {
    const PickedOption picked = pickBox().pickOption(kUwpPickOptions, kUwpPickTitle);
    if (picked.text == kAbandonOption) return;
    const auto field = uwpDigitField(picked.number);
    if (!field) return;
    WorldRecord w = world();
    const std::string current(1, w.uwp.shown()[static_cast<std::size_t>(field->position) - 1]);
    const auto answer = valueEntryDialog().askNewValue(field->prefix, field->fieldName, current);
    if (!storeUwpDigit(w, field->position, answer)) return;
    // The trade codes, price and statistics follow the new profile.
    reclassifyWorld(w);
    commit(w, tr("UWP"));
    changed();
}

void DetailsWindow::storeTypedUwp(const std::string& stored) {
    WorldRecord w = world();
    w.uwp = stored;
    reclassifyWorld(w);
    commit(w, tr("UWP"));
    changed();
}

void DetailsWindow::editBase() {
    WorldRecord w = world();
    if (!storeBase(w, valueEntryDialog().askNewValue('B', toBytes(tr("Base")), w.base.shown()))) return;
    commit(w, tr("base"));
    changed();
}

void DetailsWindow::editZone() {
    WorldRecord w = world();
    if (!storeZone(w, valueEntryDialog().askNewValue('Z', toBytes(tr("Zone")), w.zone.shown()))) return;
    commit(w, tr("zone"));
    changed();
}

void DetailsWindow::editPag() {
    WorldRecord w = world();
    if (!storePag(w, inputBox(tr("Pop Ast Gas"), w.pag.shown()))) return;
    commit(w, tr("PAG"));
    changed();
}

void DetailsWindow::editStars() {
    WorldRecord w = world();
    FixedText<6>* stars[3] = {&w.star1, &w.star2, &w.star3};
    for (int i = 0; i < 3; ++i) (void)storeStar(w, i + 1, inputBox(tr("Star %1").arg(i + 1), stars[i]->shown()));
    commit(w, tr("stars"));
    changed();
}

void DetailsWindow::editNotes() {
    WorldRecord w = world();
    if (!storeNotes(w, inputBox(tr("Notes"), w.notes.shown()))) return;
    commit(w, tr("notes"));
    changed();
}

void DetailsWindow::editAllegiance() {
    WorldRecord w = world();
    if (!storeAllegiance(w, valueEntryDialog().askNewValue('Y', toBytes(tr("Aliegance")), w.allegiance.shown()))) {
        return;
    }
    commit(w, tr("allegiance"));
    changed();
}

void DetailsWindow::editNotesFile() {
    const WorldRecord& w = world();
    const int offset = reportedLetterOffset();
    const std::string path = notesFilePath(mapFolder_, offset + w.location);
    const auto notes = readNotesFile(path);
    if (!notes) return;  // an unreadable notes file ends the action; nothing is damaged

    QString text = fromBytes(*notes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QString heading = tr("Edit notes for %1").arg(frame_->title());
    // A write that fails is said and the text window opens again with the typed text, until it is written
    // or the user gives it up.
    while (textWindow().edit(heading, text)) {
        QString bytes = text;
        bytes.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        const auto written = writeNotesFile(path, toBytes(bytes));
        if (written) return;
        prompter_.message(written.error(), MessageIcon::Exclamation, applicationTitle());
    }
}

void showWorldDetails(QWidget* parent, DocumentController& document, SubsectorStore& store, Prompter& prompter,
                      int slot, const std::string& folder, const std::string& selectedFileName) {
    DetailsWindow window(document, store, prompter, slot, parent);
    window.setMapFolder(folder);
    window.setNotesEnabled(notesAvailableFor(selectedFileName));
    window.activate();
    window.adjustSize();
    placeOnScreen(window, 0.5);
    window.exec();
}

}  // namespace qelvar
