#include "store/trade.h"

#include <gtest/gtest.h>

#include "store/subsector_store.h"
#include "store/text.h"

namespace qelvar {
namespace {

// Rows "UWP codes price;": each UWP's trade codes and cargo price as classifyTrade gives them.
void expectTrade(std::string_view rows) {
    SubsectorStore store;
    for (std::size_t end; (end = rows.find(';')) != std::string_view::npos; rows.remove_prefix(end + 1)) {
        const std::string row(trimBlanks(rows.substr(0, end)));
        SCOPED_TRACE(row);
        store.worlds[40].uwp = row.substr(0, 8);
        classifyTrade(store.worlds[40], store.loadUwpValues(40));
        const std::size_t price = row.rfind(' ');
        EXPECT_EQ(store.worlds[40].tradeCodes.trimmed(), trimBlanks(row.substr(8, price - 8)));
        EXPECT_EQ(store.worlds[40].cargoBase, std::stoi(row.substr(price)));
    }
}

TEST(ClassifyTrade, CodesAndPrice) {
    // The field holds five codes: Po qualifies for B0209000 too, cut from the text but counted in the price.
    // Tech 18 and above adds nothing; starport C adds 1000, D 2000, E 3000; F, W and Y nothing; unreadable
    // digits count as 0.
    expectTrade(
        "A788899C Ri 5200; X0000000 As Ba Lo Ni Va 12000; B0209000 As De Hi In Na 1000; B666555H Ag Ni 5700;"
        "B666555J Ag Ni 4000; F5A5A000 Fl Hi 4000; C1119000 Hi Ic In Na 3000; D3AA3000 Fl Lo Ni Wa 9000;"
        "E4A4000A Ba Fl Lo Ni 12000; A6867493 Ag Ri 3300; ???????? As Ba Lo Ni Va 7000; C5585550 Ag Ni 5000;"
        "D5585550 Ag Ni 6000; E5585550 Ag Ni 7000; W5585550 Ag Ni 4000; Y5585550 Ag Ni 4000;");
}

// Each condition at both sides of each of its limits. Starport B, law 5 and tech 0 leave the price at
// 4000 plus the codes' changes.
TEST(ClassifyTrade, EveryConditionAtItsLimits) {
    // Ag: atmosphere 4..9, hydrographics 4..8, population 5..7.
    expectTrade(
        "B5345550 Ni 5000; B5445550 Ag Ni 4000; B5945550 Ag Ni 4000; B5A45550 Fl Ni 6000; B5535550 Ni Po 4000;"
        "B5585550 Ag Ni 4000; B5595550 Ni 5000; B5554550 Ni 5000; B5557550 Ag 3000; B5558550 4000;");
    // Ba: population, government and law all 0.
    expectTrade("B5500000 Ba De Lo Ni Po 7000; B5500010 De Lo Ni Po 6000; B5500100 De Lo Ni Po 6000;");
    // De: atmosphere 2 and up with hydrographics 0. Fl: atmosphere 10 and up with hydrographics 1 and up.
    expectTrade(
        "B5100550 Lo Ni 6000; B5200550 De Lo Ni Po 6000; B5A05550 De Ni 6000; B5A15550 Fl Ni 6000;"
        "B5915550 Ni 5000;");
    // Ic: atmosphere 0 or 1 with hydrographics 1 and up. Po: atmosphere 2..5 with hydrographics 0..3.
    expectTrade("B5115550 Ic Ni 5000; B5105550 Ni 5000; B5215550 Ni Po 4000; B5135550 Ic Ni 5000; B5635550 Ni 5000;");
    // Hi from population 9, Lo up to 3, Ni up to 6, Na from 6 with atmosphere and hydrographics up to 3.
    expectTrade(
        "B5553550 Lo Ni 6000; B5556550 Ag Ni 4000; B5336550 Na Ni Po 4000; B5335550 Ni Po 4000; B5436550 Ni Po 4000;"
        "B5346550 Ni 5000;");
    // In: population 9 and up with atmosphere 0, 1, 2, 4, 7 or 9 only.
    expectTrade(
        "B5059550 Hi Ic In Va 3000; B5159550 Hi Ic In 2000; B5259550 Hi In 2000; B5359550 Hi 3000; B5459550 Hi In 2000;"
        "B5559550 Hi 3000; B5659550 Hi 3000; B5759550 Hi In 2000; B5859550 Hi 3000; B5959550 Hi In 2000;"
        "B5A59550 Fl Hi 4000;");
    // Ri: atmosphere 6 or 8, population 6..8, government 4..9. Wa: hydrographics 10.
    expectTrade(
        "B5656950 Ag Ni Ri 5000; B5656A50 Ag Ni 4000; B5656450 Ag Ni Ri 5000; B5656350 Ag Ni 4000; B5858850 Ri 5000;"
        "B5855850 Ag Ni 4000; B5757850 Ag 3000; B55A5550 Ni Wa 5000;");
}

TEST(ReclassifyWorld, ProfileEditRecomputesStandardCodesKeepsOthers) {
    const struct {
        const char* before;
        const char* uwp;
        const char* codes;
        int price;
    } cases[] = {
        {"Ba Cp Lo Ni Xy", "A788899C", "Ri Cp Xy       ", 5200},   // population 0 -> 9: Ba and Lo go
        {"Ri Cp Po Ab Cd", "X0000000", "As Ba Lo Ni Va ", 12000},  // the field is full: the rest is cut
        {"", "B666555H", "Ag Ni          ", 5700},
        {nullptr, "B666555H", "Ag Ni          ", 5700},  // a cleared (NUL-filled) field
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uwp);
        WorldRecord world;
        if (c.before) world.tradeCodes = c.before;
        world.uwp = c.uwp;
        reclassifyWorld(world);
        EXPECT_EQ(world.tradeCodes.str(), c.codes);
        EXPECT_EQ(world.cargoBase, c.price);
    }
}

}  // namespace
}  // namespace qelvar
