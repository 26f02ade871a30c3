// The document controller on its own: the title it gives the window and the clean state of its history.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoStack>
#include <QWidget>

#include "document/document.h"
#include "document/edits.h"
#include "document_controller.h"
#include "store/startup.h"
#include "store/subsector_store.h"
#include "support/sample_world.h"
#include "support/scripted_prompter.h"

namespace qelvar::testing {

namespace {

// A step of the history that changes nothing by itself.
class Step : public QUndoCommand {
public:
    Step() : QUndoCommand("Change name") {}
    void undo() override {}
    void redo() override {}
};

class DocumentControllerTest : public ::testing::Test {
protected:
    // The last value a signal carried.
    static QVariant last(const QSignalSpy& spy) { return spy.isEmpty() ? QVariant() : spy.back().front(); }

    SubsectorStore store;
    ScriptedPrompter prompter;
    QWidget window;
    DocumentController document{store, prompter, &window, [] { return std::string("/tmp"); }};
};

}  // namespace

TEST_F(DocumentControllerTest, TheTitleNamesTheDocumentsFileBeforeTheProgram) {
    QSignalSpy titles(&document, &DocumentController::titleChanged);
    const std::string app = applicationTitle();
    EXPECT_EQ(document.title().toStdString(), app + "[*]");
    for (const auto& [path, title] : {std::pair{"/maps/Ostrel.sbs", "Ostrel.sbs[*] - " + app},
                                      {"/maps/Far Reach.tab", "Far Reach.tab[*] - " + app},
                                      {"", app + "[*]"}}) {
        SCOPED_TRACE(path);
        document.startNewHistory(path);
        EXPECT_EQ(document.documentPath(), path);
        EXPECT_EQ(last(titles).toString().toStdString(), title);
    }
    document.startNewHistory("/maps/Ostrel.sbs");
    document.forgetDocument();  // a generated subsector
    EXPECT_EQ(last(titles).toString().toStdString(), app + "[*]");
    EXPECT_TRUE(document.documentPath().empty());
}

// Undone back to the loaded state nothing is unsaved and nothing is asked, unless the document was recovered:
// that one never looks saved.
TEST_F(DocumentControllerTest, BackAtTheLoadedStateNothingIsUnsavedUnlessRecovered) {
    for (const bool recovered : {false, true}) {
        SCOPED_TRACE(recovered);
        prompter.prompts.clear();
        document.undoStack().clear();  // each round from a fresh history
        QSignalSpy modified(&document, &DocumentController::modifiedChanged);
        QSignalSpy moved(&document, &DocumentController::historyMoved);
        document.startNewHistory("/maps/Ostrel.sbs", recovered);
        EXPECT_EQ(last(modified).toBool(), recovered);
        document.undoStack().push(new Step);
        EXPECT_TRUE(document.isModified());
        EXPECT_TRUE(last(modified).toBool());
        EXPECT_EQ(moved.size(), 1);
        prompter.yesNoAnswers = {false};
        EXPECT_FALSE(document.mayDiscardChanges());  // the question, answered No
        EXPECT_EQ(prompter.prompts.size(), 1u);
        document.undoStack().undo();
        EXPECT_EQ(document.isModified(), recovered);
        EXPECT_EQ(last(modified).toBool(), recovered);
        prompter.yesNoAnswers = {true};
        EXPECT_TRUE(document.mayDiscardChanges());
        EXPECT_EQ(prompter.prompts.size(), recovered ? 2u : 1u);  // asked again only when recovered
    }
}

// Edits that cannot all apply leave the document and the store as they were, and say why. A generated
// subsector is one step, undone like any; where the document (a subsector file's) cannot hold its letter, it
// starts a new document instead.
TEST_F(DocumentControllerTest, EditsApplyTogetherOrNotAtAllAndGenerationIsOneStep) {
    store.subsectorLetter = "B";
    store.worlds[1] = sampleWorld(101);
    document.startNewHistory("/nowhere/b.sbs");
    const Hex hex = document.hexOf(101);
    EXPECT_EQ(hex.text(), "0901");
    std::vector<std::unique_ptr<Edit>> edits;
    for (int i = 0; i < 2; ++i) edits.push_back(std::make_unique<DeleteWorldEdit>(hex));
    EXPECT_FALSE(document.perform(std::move(edits), "Delete twice"));
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{"there is no world at hex 0101"});
    EXPECT_TRUE(store.worlds[1].occupied() && document.document().worldAt(hex));
    EXPECT_EQ(document.undoStack().count(), 0);

    SubsectorStore generated = store;
    generated.worlds[1].name = "Fresh";
    generated.worlds[2] = sampleWorld(102);
    generated.subsectorName = "Newly";
    document.takeGenerated(generated);
    EXPECT_EQ(store.worlds[1].name.str() + store.worlds[2].name.str() + store.subsectorName,
              "Fresh               Hollowmere          Newly");
    EXPECT_FALSE(document.isModified());
    document.undoStack().undo();
    EXPECT_EQ(store.worlds[1].name.str() + std::to_string(store.worldCount) + store.subsectorName,
              "Hollowmere          1");
    EXPECT_TRUE(document.isModified());
    generated.subsectorLetter = "C";
    document.takeGenerated(generated);
    EXPECT_EQ(store.subsectorLetter + store.worlds[2].name.str(), "CHollowmere          ");
    EXPECT_EQ(document.undoStack().count(), 0);
    EXPECT_TRUE(document.document().worldAt(*Hex::inSubsector(2, 102)));
}

TEST_F(DocumentControllerTest, ASubsectorOfASectorWithoutAFileIsEditedInItsSector) {
    Sector sector;
    SectorWorld other = worldFromFields(*Hex::parse("0101"), {{"Name", "Alda"}});
    sector.worlds.push_back(other);
    ASSERT_TRUE(document.showSubsectorOf(sector, 5));  // F, of a folder of subsector files
    ASSERT_TRUE(document.perform(std::make_unique<AddWorldEdit>(worldFromFields(document.hexOf(101), {})), "Add"));
    EXPECT_TRUE(store.worlds[1].occupied());
    EXPECT_EQ(document.document().sector().worlds.size(), 2u);  // A's world kept beside it
}

}  // namespace qelvar::testing
