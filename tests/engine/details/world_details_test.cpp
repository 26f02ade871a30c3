#include <gtest/gtest.h>

#include "store/subsector_store.h"
#include "details/description_table.h"
#include "details/world_details.h"
#include "support/sample_world.h"

namespace qelvar {
namespace {

constexpr int kSlot = 23;  // hex 0303

class WorldDetailsTest : public ::testing::Test {
protected:
    void SetUp() override { store.worlds[kSlot] = testing::sampleWorld(303); }
    WorldRecord& world() { return store.worlds[kSlot]; }
    std::string caption(const char* control, int offset = 0) {
        return captionOf(worldDetailCaptions(store, descriptionTable(), kSlot, offset), control);
    }
    static std::string text(const char* key) { return descriptionTable().findTrimmedText(key).value(); }

    SubsectorStore store;
};

TEST_F(WorldDetailsTest, ControlsComeInTheWindowsOrder) {
    const auto captions = worldDetailCaptions(store, descriptionTable(), kSlot, 0);
    std::string names;
    for (const auto& c : captions) names += c.control + " ";
    EXPECT_EQ(
        names,
        "Form2 Frame3d1 Label1 Label2 Label5 Label6 Label7 Label8 Label9 Label10 Label11 Label12 Label13 Label14 "
        "Label15 Label16 Label17 Label18 Label19 Label20 Label21 Label22 Label23 Label24 Label25 Label26 Command2 "
        "Command1 Label3 ");
    EXPECT_EQ(
        captionOf(captions, "Label5"),
        "Starport:\r\nSize:\r\nAtmosphere:\r\nHydrographic:\r\nPopulation:\r\nGovernment:\r\nLaw:\r\nTech Level:");
    EXPECT_EQ(captionOf(captions, "Label25"), "Traffic\r\nFacilites:");
}

TEST_F(WorldDetailsTest, UwpBlockHasOneLinePerKnownDigit) {
    world().pag = "213";
    EXPECT_EQ(caption("Label6"), "Starport:     A " + text("SA") + "\r\n" + "Size:         7 7000 miles diameter\r\n" +
                                     "Atmosphere:   8 " + text("A8") + "\r\n" + "Hydrographic: 8 " + text("H8") +
                                     "\r\n" + "Population:   8 " + text("P8") + " (200,000,000)\r\n" +
                                     "Government:   9 " + text("G9") + "\r\n" + "Law Level:    9 " + text("L9") +
                                     "\r\n" + "Tech Level:   C " + text("TC") + "\r\n");

    world().uwp = "Y7D8899C";  // no starport Y; atmosphere D reads its first row
    EXPECT_EQ(caption("Label6").rfind("Size:         7 7000 miles diameter\r\nAtmosphere:   D Dense, high. ", 0), 0u);
}

TEST_F(WorldDetailsTest, PopulationFigureFollowsThePagMultiplier) {
    const struct {
        char code;
        const char* pag;
        const char* figure;
    } cases[] = {{'A', "103", "10,000,000,000"},
                 {'7', "3  ", "30,000,000"},
                 {'0', "913", ""},
                 {'5', "X13", ""},
                 {'1', "9", "90"},
                 {'9', "", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.code) + "/" + c.pag);
        EXPECT_EQ(populationFigure(c.code, c.pag), c.figure);
    }
}

TEST_F(WorldDetailsTest, ValueCaptionsAndTheirDescriptions) {
    const struct {
        char field;  // Zone, Base, Allegiance, Facility
        const char* value;
        const char* control;
        std::string caption;
    } cases[] = {
        {'Z', "R", "Label10", "R " + text("ZR")},    {'B', " ", "Label8", " "},
        {'A', "Im", "Label20", "Im Third Imperium"}, {'A', "im", "Label20", "im"},
        {'A', "vg", "Label20", "vg " + text("Yvg")}, {'F', "5X", "Label26", "5 " + text("Q5") + "\r\nX " + text("UX")},
        {'F', "C8", "Label26", "C88 " + text("U8")},  // traffic C has no row
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.field) + " '" + c.value + "'");
        if (c.field == 'Z') world().zone = c.value;
        if (c.field == 'B') world().base = c.value;
        if (c.field == 'A') world().allegiance = c.value;
        if (c.field == 'F') world().facility = c.value;
        EXPECT_EQ(caption(c.control), c.caption);
    }
}

TEST_F(WorldDetailsTest, StarsCloseUpAroundUnknownColours) {
    world().star1 = "O5 V";
    world().star2 = "K7 V";
    world().star3 = "";
    EXPECT_EQ(caption("Label14"), "K7 V   " + text("XK") + "\r\n");
    world().star1 = "G2 V";
    world().star3 = "M0 V";
    world().star2 = "";
    EXPECT_EQ(caption("Label14"), "G2 V   " + text("XG") + "\r\nM0 V   " + text("XM"));
}

TEST_F(WorldDetailsTest, FrameWithTheSectorLocationCargoPriceAndAnEmptySlot) {
    world().name = "Hollowmere";
    world().location = 101;
    EXPECT_EQ(caption("Frame3d1", 800), "Star system details: Hollowmere           0901");
    world().cargoBase = 4000;
    EXPECT_EQ(caption("Label22"), "4,000Cr");
    world().cargoBase = 0;
    EXPECT_EQ(caption("Label22"), "Cr");
    // A slot that was never filled shows blanks, never NUL bytes.
    store.worlds[kSlot] = WorldRecord{};
    store.worlds[kSlot].location = 303;
    for (const auto& c : worldDetailCaptions(store, descriptionTable(), kSlot, 0)) {
        EXPECT_EQ(c.caption.find('\0'), std::string::npos) << c.control;
    }
}

}  // namespace
}  // namespace qelvar
