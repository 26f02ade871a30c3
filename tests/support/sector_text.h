#pragma once
// Small sector files as text: the tab-separated header and rows built from their cells.

#include <string>
#include <vector>

namespace qelvar::testing {

inline const std::string kTabTitles =
    "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\t{Ix}\t(Ex)\t[Cx]\tNobility\tW\tRU";

// A row of the writer's seventeen columns: SS and Hex from the hex, the rest standard but for the name.
inline std::string tabWorld(const std::string& hex, const std::string& name, const std::string& uwp = "B563753-9",
                            const std::string& end = "\r\n") {
    const int column = std::stoi(hex.substr(0, 2));
    const int row = std::stoi(hex.substr(2, 2));
    const std::string letter(1, static_cast<char>('A' + (column - 1) / 8 + 4 * ((row - 1) / 10)));
    return "Kest\t" + letter + "\t" + hex + "\t" + name + "\t" + uwp +
           "\tNS\tAg Ga Ri Lt\t\t613\tImDd\tK9 V M1 V\t{ 1 }\t(C6A+2)\t[886B]\tBc\t8\t-180" + end;
}

// A sector file: a comment, the header, then the worlds' rows as given.
inline std::string tabSector(const std::vector<std::string>& rows) {
    std::string out = "# Kestrel, made for the tests\r\n\r\n" + kTabTitles + "\r\n";
    for (const std::string& row : rows) out += row;
    return out;
}

inline const std::string kKestrelMetadata =
    "<?xml version=\"1.0\"?>\n<Sector Abbreviation=\"Kest\">\n  <Name>Kestrel</Name>\n  <Subsectors>\n"
    "    <Subsector Index=\"A\" Note=\"a>b\">Alder</Subsector>\n    <Subsector Index=\"AA\">Not a letter</Subsector>\n"
    "  </Subsectors>\n  <Routes>\n"
    "    <Route Start=\"0101\" End=\"0105\" />\n  </Routes>\n  <Unknown x=\"1\"/>\n</Sector>\n";

}  // namespace qelvar::testing
