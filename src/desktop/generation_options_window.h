#pragma once
// The generation options window (object name Form4): what the next "Generate" uses. It lives hidden for
// the whole run, so the options stay as the user left them; "Done" hides it.

#include <QDialog>

#include "generation/generation_options.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace qelvar {

class DocumentController;
class Prompter;
class SubsectorStore;

class GenerationOptionsWindow : public QDialog {
    Q_OBJECT
public:
    // Builds the window with its defaults, hidden. The name boxes rename the document's subsector and
    // sector at every keystroke.
    GenerationOptionsWindow(const SubsectorStore& store, Prompter& prompter, QWidget* parent = nullptr);

    // The document the name boxes rename (none: they change nothing).
    void setDocument(DocumentController* document) { document_ = document; }

    // The options as the controls hold them now.
    GenerationOptions options() const;

    // "Modify chance": asks for the percentage of the selected feature row and rewrites its columns 13-14.
    void modifyChance();

private:
    void copyRowsToFeatures();

    const SubsectorStore& store_;
    Prompter& prompter_;
    DocumentController* document_ = nullptr;
    QComboBox* letter_;
    QComboBox* density_;
    QComboBox* allegiance_;
    QComboBox* oddAliens_;
    QComboBox* techCap_;
    QCheckBox* depopulate_;
    QListWidget* features_;
    QPushButton* modify_;
    std::array<FeatureChance, 5> featureChances_;
};

// "Generation Options...": shows the window modally until "Done" (or closing it) hides it again.
void showGenerationOptions(GenerationOptionsWindow& window);

}  // namespace qelvar
