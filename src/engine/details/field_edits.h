#pragma once
// How an edit in the details window lands in the world record, and how the value-entry list and the pick
// box are laid out. Nothing is validated: whatever is typed is stored, cut or padded to the field's width.
// Each store function returns whether the record was written (the caller then redraws and marks the
// subsector changed).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qelvar {

struct FamilyDescription;
struct WorldRecord;

// The answer of the value-entry dialog: the text on OK, nothing on Cancel.
using DialogAnswer = std::optional<std::string>;

// Input-box editors: an empty answer (also what Cancel gives) changes nothing.
bool storeName(WorldRecord& w, std::string_view answer);            // as typed, cut to 20
bool storePag(WorldRecord& w, std::string_view answer);             // upper-cased, cut to 3; sets the gas giant flag
bool storeStar(WorldRecord& w, int star, std::string_view answer);  // star 1..3, as typed, cut to 6
bool storeNotes(WorldRecord& w, std::string_view answer);           // as typed, cut to 60

// Value-entry editors: Cancel changes nothing.
bool storeUwpDigit(WorldRecord& w, int position, const DialogAnswer& answer);  // first character, upper-cased
bool storeBase(WorldRecord& w, const DialogAnswer& answer);                    // first character, upper-cased
bool storeZone(WorldRecord& w, const DialogAnswer& answer);                    // first character, upper-cased
bool storeAllegiance(WorldRecord& w, const DialogAnswer& answer);              // as typed, cut to 2

// Upper case in the Windows-1252 code page: ASCII letters and the accented letters that have a capital.
std::string upperCodePage(std::string_view text);

// The UWP digit editor: which digit option k (1..8) of the pick box edits.
struct UwpDigitField {
    char prefix;            // the description family of the lookup list
    const char* fieldName;  // shown after "Set new value for "
    int position;           // 1..8 in the UWP
};
std::optional<UwpDigitField> uwpDigitField(int option);

inline constexpr const char* kUwpPickOptions =
    "Port/Size/Atmosphere/Hydrographics/Population/Government/Law/Tech/Abandon";
inline constexpr const char* kUwpPickTitle = "Select UWP stat to change";
inline constexpr const char* kAbandonOption = "Abandon";

// One line of the value-entry lookup list: the code, ": " and the stored text.
std::string lookupLine(const FamilyDescription& row);
// The value a chosen lookup line puts into the entry box: its first two characters, trimmed of blanks
// ("A:" for a one-character code, "Im" for an allegiance).
std::string lookupLineValue(std::string_view line);

// The pick box: one button per option, sized by the longest of the title and the options. All sizes in
// twips; positions are inside the box's client area.
struct PickBoxLayout {
    struct Button {
        std::string caption;
        int left, top, width, height;
    };
    std::vector<Button> buttons;
    int clientWidth = 0;
    int clientHeight = 0;
};
inline constexpr int kMaxPickOptions = 19;
// options: the items separated by "/"; at most 19 are shown.
PickBoxLayout pickBoxLayout(std::string_view options, std::string_view title);

}  // namespace qelvar
