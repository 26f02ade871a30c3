// The generation options window, built for real offscreen and driven as a user would.
#include "generation_options_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "store/subsector_store.h"
#include "support/scripted_prompter.h"

namespace qelvar {
namespace {

class OptionsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.appTitle = "Duvuderaz Orizuvo Devade v1";
        window = std::make_unique<GenerationOptionsWindow>(store, prompter);
    }
    template <typename T>
    T* control(const char* name) const {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QStringList items(const char* combo) const {
        QStringList texts;
        const auto* box = control<QComboBox>(combo);
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        return texts;
    }
    QListWidget* list() const { return control<QListWidget>("List1"); }

    SubsectorStore store;
    testing::ScriptedPrompter prompter;
    std::unique_ptr<GenerationOptionsWindow> window;
};

TEST_F(OptionsWindowTest, StartsHiddenWithTheDefaultsAndControlsGiveTheirItemData) {
    EXPECT_EQ(window->objectName(), "Form4");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Duvuderaz Orizuvo Devade v1");
    EXPECT_EQ(window->options(), GenerationOptions{});
    EXPECT_EQ(items("Combo2"),
              (QStringList{"Rift:       4%", "Sparse:    16%", "Scattered: 33%", "Standard:  50%", "Dense:     66%"}));
    EXPECT_EQ(items("Combo5").first(), "Don't");
    EXPECT_FALSE(control<QPushButton>("Command1")->isEnabled());
    ASSERT_EQ(list()->count(), 5);
    EXPECT_EQ(list()->item(4)->text(), "Mr          01%");

    control<QComboBox>("Combo1")->setCurrentIndex(1);
    control<QComboBox>("Combo2")->setCurrentIndex(0);
    control<QComboBox>("Combo3")->setCurrentIndex(5);
    control<QComboBox>("Combo4")->setCurrentIndex(10);
    control<QComboBox>("Combo5")->setCurrentIndex(19);
    control<QCheckBox>("Check3D1")->setChecked(true);
    const GenerationOptions options = window->options();
    EXPECT_EQ(options.generateAsLetter, "B");
    EXPECT_EQ(options.densityPercent, 4);
    EXPECT_EQ(options.defaultAllegiance, "Hv");
    EXPECT_EQ(options.oddAlienPercent, 50);
    EXPECT_EQ(options.techCap, 0);
    EXPECT_TRUE(options.depopulateOverCap);
}

TEST_F(OptionsWindowTest, ModifyChanceRewritesTheSelectedRow) {
    list()->setCurrentRow(2);
    auto* modify = control<QPushButton>("Command1");
    ASSERT_TRUE(modify->isEnabled());
    prompter.inputAnswers = {"7", "", "100"};
    QTest::mouseClick(modify, Qt::LeftButton);
    ASSERT_EQ(prompter.prompts.size(), 1u);
    EXPECT_EQ(prompter.prompts[0].text, "Give percent chance of Pr");
    EXPECT_EQ(prompter.prompts[0].title, store.appTitle);
    EXPECT_EQ(list()->item(2)->text(), "Pr          07%");
    EXPECT_EQ(window->options().featureChances[2], (FeatureChance{"Pr", 7}));

    QTest::mouseClick(modify, Qt::LeftButton);  // an empty answer changes nothing
    EXPECT_EQ(window->options().featureChances[2].chance, 7);

    // A double-click does the same as the button; 100 keeps only its first two characters.
    emit list()->itemDoubleClicked(list()->item(2));
    EXPECT_EQ(list()->item(2)->text(), "Pr          10%");
    EXPECT_EQ(window->options().featureChances[2].chance, 10);
    EXPECT_EQ(window->options().featureChances[0], (FeatureChance{"An", 1}));
}

TEST_F(OptionsWindowTest, NamesReachTheStoreAtEveryKeystrokeAndDoneHides) {
    QTest::keyClicks(control<QLineEdit>("Text1"), "Vesk");
    EXPECT_EQ(store.subsectorName, "Vesk");
    control<QLineEdit>("Text2")->insert(QString::fromUtf8("M\u00e9ra"));
    EXPECT_EQ(store.sectorName, "M\xe9ra");  // Windows-1252 bytes

    window->show();
    window->findChild<QAction*>("mnudone")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "Vesk");  // hidden, not destroyed
}

}  // namespace
}  // namespace qelvar
