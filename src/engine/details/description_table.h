#pragma once
// The plain-language descriptions of every world code: the UWP digits, bases, zones, traffic and port
// facilities, star colours and allegiances. The rows are part of the program; the table is built once and
// never changed. Slot 0 is never used, slots 1..330 hold the rows in a fixed order, 331..350 stay empty.
//
// A key is a family prefix letter followed by the code ("A0", "SX", "YIm"). Keys are not unique: a code
// with two readings has two rows under one key, and a look-up finds the first.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "store/result.h"
#include <vector>

namespace qelvar {

struct DescriptionEntry {
    std::string key;
    std::string text;  // as stored: most families padded with blanks to 74 characters
};

// One row of a code family, as the value-entry list shows it.
struct FamilyDescription {
    int slot;
    std::string code;  // the key without its prefix letter
    std::string text;  // the stored text, untrimmed
};

inline constexpr int kDescriptionSlots = 350;
inline constexpr int kFilledDescriptionSlots = 330;
inline constexpr std::size_t kPaddedDescriptionWidth = 74;

class DescriptionTable {
public:
    // Fills slots 1..330 with the built-in rows.
    DescriptionTable();

    // Slot 1..350; anything else reads as an empty entry.
    const DescriptionEntry& entry(int slot) const;

    // The first slot 1..350 whose key equals key exactly (case included); nothing when none does.
    std::optional<int> findDescription(std::string_view key) const;
    // The trimmed text of the first row with that key, as the details window shows it.
    std::optional<std::string> findTrimmedText(std::string_view key) const;

    // Every slot whose key begins with prefix, in slot order.
    std::vector<FamilyDescription> descriptionsForPrefix(char prefix) const;

    // One line per slot 1..350: the key, blanks up to the next print zone (zones every 14 columns, so the
    // text starts at column 15), then the stored text. An empty slot gives 14 blanks.
    std::vector<std::string> dumpLines() const;
    // The dump as a file: the lines, each ended by CR LF.
    std::string dumpText() const;

private:
    std::array<DescriptionEntry, kDescriptionSlots + 1> slots_;
};

// The one table of the program, built on first use (start-up calls this before any window opens).
const DescriptionTable& descriptionTable();

// Where the main window writes the dump: $QELVAR_DUMP if set, else temp.txt in the temporary folder.
std::string descriptionDumpPath();
// Writes the dump to path.
[[nodiscard]] Result<> writeDescriptionDump(const DescriptionTable& table, const std::string& path);

}  // namespace qelvar
