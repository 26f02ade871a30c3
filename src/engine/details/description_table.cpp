#include "details/description_table.h"

#include <cstdlib>
#include <filesystem>

#include "store/file_io.h"
#include "store/paths.h"
#include "store/text.h"

namespace qelvar {

namespace {

struct Row {
    std::string_view key;
    std::string_view text;
    bool padded;
};

constexpr Row P(std::string_view key, std::string_view text) { return {key, text, true}; }
constexpr Row N(std::string_view key, std::string_view text) { return {key, text, false}; }

constexpr Row kRows[] = {
#include "details/description_rows.inc"
};

static_assert(std::size(kRows) == kFilledDescriptionSlots, "every built-in row has a slot");

// Padding never cuts: a padded row fits in its width. Allegiance names fit in 33 characters; every other
// unpadded row but the government ones fits in the padded width too.
constexpr bool rowsFitTheirWidths() {
    for (const Row& row : kRows) {
        if (row.padded && row.text.size() > kPaddedDescriptionWidth) return false;
        if (row.key.front() == 'Y' && row.text.size() > 33) return false;
        if (!row.padded && row.key.front() != 'G' && row.text.size() > kPaddedDescriptionWidth) return false;
    }
    return true;
}
static_assert(rowsFitTheirWidths(), "a description row is longer than its form allows");

// Print zones of the dump start every 14 columns.
constexpr std::size_t kPrintZone = 14;

}  // namespace

DescriptionTable::DescriptionTable() {
    int slot = 1;
    for (const Row& row : kRows) {
        DescriptionEntry& entry = slots_[static_cast<std::size_t>(slot++)];
        entry.key = std::string(row.key);
        entry.text = std::string(row.text);
        if (row.padded) entry.text.resize(kPaddedDescriptionWidth, ' ');
    }
}

const DescriptionEntry& DescriptionTable::entry(int slot) const {
    if (slot < 1 || slot > kDescriptionSlots) return slots_[0];
    return slots_[static_cast<std::size_t>(slot)];
}

std::optional<int> DescriptionTable::findDescription(std::string_view key) const {
    if (key.empty()) return std::nullopt;  // only the empty slots have an empty key
    for (int slot = 1; slot <= kDescriptionSlots; ++slot) {
        if (slots_[static_cast<std::size_t>(slot)].key == key) return slot;
    }
    return std::nullopt;
}

std::optional<std::string> DescriptionTable::findTrimmedText(std::string_view key) const {
    const auto slot = findDescription(key);
    if (!slot) return std::nullopt;
    return std::string(trimBlanks(entry(*slot).text));
}

std::vector<FamilyDescription> DescriptionTable::descriptionsForPrefix(char prefix) const {
    std::vector<FamilyDescription> rows;
    for (int slot = 1; slot <= kDescriptionSlots; ++slot) {
        const DescriptionEntry& e = slots_[static_cast<std::size_t>(slot)];
        if (!e.key.empty() && e.key.front() == prefix) rows.push_back({slot, e.key.substr(1), e.text});
    }
    return rows;
}

std::vector<std::string> DescriptionTable::dumpLines() const {
    std::vector<std::string> lines;
    lines.reserve(kDescriptionSlots);
    for (int slot = 1; slot <= kDescriptionSlots; ++slot) {
        const DescriptionEntry& e = slots_[static_cast<std::size_t>(slot)];
        std::string line = e.key;
        const std::size_t zoneEnd = (line.size() / kPrintZone + 1) * kPrintZone;
        line.resize(zoneEnd, ' ');
        line += e.text;
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string DescriptionTable::dumpText() const {
    std::string text;
    for (const std::string& line : dumpLines()) {
        text += line;
        text += "\r\n";
    }
    return text;
}

const DescriptionTable& descriptionTable() {
    static const DescriptionTable table;
    return table;
}

std::string descriptionDumpPath() {
    const char* configured = std::getenv("QELVAR_DUMP");
    if (configured && *configured) return configured;
    std::error_code error;
    const auto temp = std::filesystem::temp_directory_path(error);
    return joinPath(error ? std::string("/tmp") : temp.string(), "temp.txt");
}

Result<> writeDescriptionDump(const DescriptionTable& table, const std::string& path) {
    return writeFileAtomically(path, table.dumpText());
}

}  // namespace qelvar
