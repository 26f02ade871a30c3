// The generation options window, built for real offscreen and driven as a user would.
#include "document_controller.h"
#include "generation_options_window.h"
#include "store/startup.h"
#include "support/desktop_fixture.h"

namespace qelvar::testing {

class OptionsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<GenerationOptionsWindow>(store, prompter);
        window->setDocument(&document);
    }
    template <typename T>
    T* control(const char* name) const {
        return window->findChild<T*>(name);
    }
    QListWidget* list() const { return control<QListWidget>("List1"); }

    SubsectorStore store;
    ScriptedPrompter prompter;
    DocumentController document{store, prompter, nullptr, [] { return std::string(); }};
    std::unique_ptr<GenerationOptionsWindow> window;
};

TEST_F(OptionsWindowTest, StartsWithTheDefaultsAndTheControlsGiveTheOptions) {
    EXPECT_EQ(window->options(), GenerationOptions{});

    for (const auto& [combo, index] :
         {std::pair{"Combo1", 1}, {"Combo2", 0}, {"Combo3", 5}, {"Combo4", 10}, {"Combo5", 19}}) {
        control<QComboBox>(combo)->setCurrentIndex(index);
    }
    control<QCheckBox>("Check3D1")->setChecked(true);
    const GenerationOptions options = window->options();
    EXPECT_EQ(options.generateAsLetter + " " + options.defaultAllegiance, "B Hv");
    EXPECT_EQ(std::tuple(options.densityPercent, options.oddAlienPercent, options.techCap, options.depopulateOverCap),
              std::tuple(4, 50, 0, true));
}

// "Modify chance" or a double-click asks for the selected row's chance; the engine's tests try the answers.
TEST_F(OptionsWindowTest, ModifyChanceRewritesTheSelectedRow) {
    list()->setCurrentRow(2);
    prompter.inputAnswers = {"7", "42"};
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    ASSERT_EQ(prompter.prompts.size(), 1u);
    EXPECT_EQ(prompter.prompts[0].text, "Give percent chance of Pr");
    EXPECT_EQ(prompter.prompts[0].title, applicationTitle());
    EXPECT_EQ(prompter.prompts[0].proposed, "01%");  // the chance the row shows
    EXPECT_EQ(list()->item(2)->text(), "Pr          07%");
    EXPECT_EQ(window->options().featureChances[2], (FeatureChance{"Pr", 7}));
    emit list()->itemDoubleClicked(list()->item(2));
    EXPECT_EQ(list()->item(2)->text(), "Pr          42%");
    EXPECT_EQ(window->options().featureChances[2].chance, 42);
    EXPECT_EQ(window->options().featureChances[0], (FeatureChance{"An", 1}));
}

TEST_F(OptionsWindowTest, NamesReachTheStoreAtEveryKeystrokeAndDoneHides) {
    QTest::keyClicks(control<QLineEdit>("Text1"), "Vesk");
    EXPECT_EQ(store.subsectorName, "Vesk");
    control<QLineEdit>("Text2")->insert(QString::fromUtf8("M\u00e9ra"));
    EXPECT_EQ(store.sectorName, "M\xe9ra");  // Windows-1252 bytes
    // The keystrokes of one name are one step; a name typed back to what it was leaves none.
    EXPECT_EQ(document.undoStack().count(), 2);
    document.undoStack().undo();
    EXPECT_EQ(store.sectorName + "|" + store.subsectorName, "|Vesk");
    control<QLineEdit>("Text1")->setText("");
    EXPECT_EQ(document.undoStack().count(), 0);
    window->show();
    window->findChild<QAction*>("mnudone")->trigger();
    EXPECT_FALSE(window->isVisible());
}

}  // namespace qelvar::testing
