#pragma once
// Inside the sector files: physical lines, the three formats' rows and headers, and adding a read world.
// Everyone else uses files/sector_file.h.

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "files/sector_fields.h"
#include "files/sector_file.h"
#include "store/notice.h"
#include "store/result.h"

namespace qelvar::sector_formats {

// A line of a file with its own line end (empty for a last line without one); numbers count from 1.
struct PhysicalLine {
    std::string_view text;
    std::string_view end;
    int number = 0;
};
// CR LF, a lone LF and a lone CR each end a line, as everywhere else in the program.
std::vector<PhysicalLine> physicalLines(std::string_view bytes);

// Characters first .. first + count - 1 of a UTF-8 line (0-based; count npos: to the end).
std::string_view characters(std::string_view line, const std::vector<std::size_t>& starts, std::size_t first,
                            std::size_t count);
std::size_t characterCount(std::string_view text);

// What is wrong with the shape of a world line's fields (UWP, PBG, allegiance, zone), said for its
// "line N: " notice; nothing when each fits.
std::optional<std::string> fieldProblem(const SectorFields& fields);

// What the readers share: the sector being filled, the notices, the hexes taken.
struct SectorReader {
    SectorRead& read;
    Notices& notices;
    std::set<int> taken;

    void badLine(int line, const std::string& text) {
        notices.emplace_back("line " + std::to_string(line) + ": " + text);
    }
    // Adds the world of a line at hex: a hex that is not four digits inside the sector, or one already
    // taken, makes the line bad (the first world stays).
    void addWorld(SectorFields fields, std::string_view hex, int line);
};

// Fails naming the required columns the header of read.layout lacks; otherwise notes the columns the
// writers do not know in the sector's extra columns, once each.
[[nodiscard]] Result<> acceptColumns(SectorRead& read);
[[nodiscard]] Result<> readTab(const std::vector<PhysicalLine>& lines, std::size_t header, SectorReader& reader);
[[nodiscard]] Result<> readColumns(const std::vector<PhysicalLine>& lines, std::size_t header, SectorReader& reader);
void readLegacy(const std::vector<PhysicalLine>& lines, SectorReader& reader);
// Whether a line is dash runs: dashes and blanks, at least one dash.
bool isDashLine(std::string_view line);

// The layout a writer uses for a whole sector in a format.
SectorLayout layoutFor(const Sector& sector, SectorFormat format);
// The header lines of a layout (none for the legacy format), each with its line end.
std::string headerLines(const SectorLayout& layout);
// One world's row without its line end. A column row whose value is wider than its column is cut to it
// and `cut` set.
std::string formatRow(const SectorFields& fields, const SectorLayout& layout, bool* cut = nullptr);

}  // namespace qelvar::sector_formats
