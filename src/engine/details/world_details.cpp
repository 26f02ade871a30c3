#include "details/world_details.h"

#include <cmath>
#include <optional>

#include "store/codes.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "store/startup.h"
#include "details/description_table.h"

namespace qelvar {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\0'; }

// The description key of a one-character code: the prefix and the code trimmed of blanks.
std::string codeKey(char prefix, char code) {
    std::string key(1, prefix);
    if (!isBlank(code)) key.push_back(code);
    return key;
}

struct UwpLine {
    char prefix;
    const char* heading;  // 14 characters, so that the codes line up in a fixed-pitch font
    const char* suffix;
};

constexpr UwpLine kUwpLines[8] = {
    {'S', "Starport:     ", ""}, {'D', "Size:         ", " miles diameter"},
    {'A', "Atmosphere:   ", ""}, {'H', "Hydrographic: ", ""},
    {'P', "Population:   ", ""}, {'G', "Government:   ", ""},
    {'L', "Law Level:    ", ""}, {'T', "Tech Level:   ", ""},
};

std::string uwpBlock(const WorldRecord& w, const DescriptionTable& table, const std::string& crlf) {
    std::string block;
    for (std::size_t i = 0; i < 8; ++i) {
        const UwpLine& line = kUwpLines[i];
        const char code = w.uwp.at(i + 1);
        const auto text = table.findTrimmedText(codeKey(line.prefix, code));
        if (!text) continue;
        block += line.heading;
        if (!isBlank(code)) block.push_back(code);
        block += ' ';
        block += *text;
        block += line.suffix;
        if (line.prefix == 'P') block += " (" + populationFigure(code, w.pag.view()) + ")";
        block += crlf;
    }
    return block;
}

std::string starLines(const WorldRecord& w, const DescriptionTable& table, const std::string& crlf) {
    std::string lines;
    const FixedText<6>* stars[3] = {&w.star1, &w.star2, &w.star3};
    for (int i = 0; i < 3; ++i) {
        const auto text = table.findTrimmedText(codeKey('X', stars[i]->at(1)));
        if (!text) continue;
        lines += stars[i]->shown() + " " + *text;
        if (i < 2) lines += crlf;
    }
    return lines;
}

std::string trafficLines(const WorldRecord& w, const DescriptionTable& table, const std::string& crlf) {
    std::string caption = w.facility.shown();
    const char traffic = w.facility.at(1);
    const char facility = w.facility.at(2);
    if (const auto text = table.findTrimmedText(codeKey('Q', traffic))) {
        caption = std::string(1, traffic) + " " + *text + crlf;
    }
    if (const auto text = table.findTrimmedText(codeKey('U', facility))) {
        caption += std::string(1, facility) + " " + *text;
    }
    return caption;
}

// A value caption followed by its description when the key has one.
std::string withDescription(std::string caption, const std::optional<std::string>& text) {
    if (text) caption += " " + *text;
    return caption;
}

}  // namespace

std::string populationFigure(char populationCode, std::string_view pag) {
    const double multiplier = pag.empty() ? 0 : numericValue(pag.substr(0, 1));
    const double population = multiplier * std::pow(10.0, hexDigitValue(populationCode));
    if (std::round(population) == 0) return {};
    return formatThousands(population);
}

std::string cargoPriceText(int cargoBase) {
    return (cargoBase == 0 ? std::string() : formatThousands(cargoBase)) + "Cr";
}

std::vector<ControlCaption> worldDetailCaptions(const SubsectorStore& store, const DescriptionTable& table, int slot,
                                                int locationOffset) {
    const WorldRecord& w = store.worlds.at(static_cast<std::size_t>(slot));
    const std::string crlf = "\r\n";

    std::string allegianceKey = "Y";
    allegianceKey += trimBlanks(w.allegiance.shown());

    return {
        {"Form2", applicationTitle()},
        {"Frame3d1", "Star system details: " + w.name.shown() + " " + formatFourDigits(locationOffset + w.location)},
        {"Label1", "Name"},
        {"Label2", w.name.shown()},
        {"Label5", "Starport:" + crlf + "Size:" + crlf + "Atmosphere:" + crlf + "Hydrographic:" + crlf +
                       "Population:" + crlf + "Government:" + crlf + "Law:" + crlf + "Tech Level:"},
        {"Label6", uwpBlock(w, table, crlf)},
        {"Label7", "Base:"},
        {"Label8", withDescription(w.base.shown(), table.findTrimmedText(codeKey('B', w.base.at(1))))},
        {"Label9", "Zone:"},
        {"Label10", withDescription(w.zone.shown(), table.findTrimmedText(codeKey('Z', w.zone.at(1))))},
        {"Label11", "Gas giant:"},
        {"Label12", w.gasGiant.shown()},
        {"Label13", "Stars:"},
        {"Label14", starLines(w, table, crlf)},
        {"Label15", "Pop-Ast-Gas:"},
        {"Label16", w.pag.shown()},
        {"Label17", "Notes:"},
        {"Label18", w.notes.shown()},
        {"Label19", "Alliegance:"},
        {"Label20", withDescription(w.allegiance.shown(), table.findTrimmedText(allegianceKey))},
        {"Label21", "Cargo base price:"},
        {"Label22", cargoPriceText(w.cargoBase)},
        {"Label23", "Trade codes:"},
        {"Label24", w.tradeCodes.shown()},
        {"Label25", "Traffic" + crlf + "Facilites:"},
        {"Label26", trafficLines(w, table, crlf)},
        {"Command2", "Notes"},
        {"Command1", "Done"},
        {"Label3", "Click each field to modify values!"},
    };
}

std::string captionOf(const std::vector<ControlCaption>& captions, std::string_view control) {
    for (const ControlCaption& c : captions) {
        if (c.control == control) return c.caption;
    }
    return {};
}

}  // namespace qelvar
