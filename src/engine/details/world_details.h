#pragma once
// What the details window shows for one world: every caption, computed from the record and the
// description table, so that the window only displays them and the command line can print them.

#include <string>
#include <string_view>
#include <vector>

namespace qelvar {

class DescriptionTable;
class SubsectorStore;
struct WorldRecord;

// One control of the details window and its caption. Line breaks inside a caption are CR LF.
struct ControlCaption {
    std::string control;  // the control's object name
    std::string caption;  // Windows-1252 bytes
};

// Every caption of the details window for worlds[slot], in the window's order from the title down to the
// hint. locationOffset is the offset of the subsector letter (0 when the letter is unknown).
std::vector<ControlCaption> worldDetailCaptions(const SubsectorStore& store, const DescriptionTable& table, int slot,
                                                int locationOffset);

// The caption of one control in a list; empty when it is not there.
std::string captionOf(const std::vector<ControlCaption>& captions, std::string_view control);

// The population of a world: the PAG multiplier (its first character as a number, 0 when it is none)
// times ten to the population digit, grouped by three with commas; empty when it rounds to 0.
std::string populationFigure(char populationCode, std::string_view pag);

// The cargo base price: comma-grouped, nothing for 0, followed by "Cr".
std::string cargoPriceText(int cargoBase);

}  // namespace qelvar
