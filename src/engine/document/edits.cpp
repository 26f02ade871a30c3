#include "document/edits.h"

#include <algorithm>
#include <set>

#include "store/codes.h"
#include "store/text.h"

namespace qelvar {

namespace {

const std::vector<std::string> kRecordFields = {"Name", "UWP", "Bases",      "Remarks",
                                                "Zone", "PBG", "Allegiance", "Stars"};

// How an edit's text names a field.
std::string fieldLabel(const std::string& name) {
    if (name == "UWP" || name == "PBG") return name;
    if (std::find(kRecordFields.begin(), kRecordFields.end(), name) != kRecordFields.end()) return lowerAscii(name);
    return name;
}

std::string withoutBrackets(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (std::string_view("{}()[]").find(c) == std::string_view::npos) out += c;
    }
    return lowerAscii(out);
}

Result<std::size_t> worldPosition(const Document& document, Hex hex) {
    if (const auto position = document.positionOf(hex)) return *position;
    return fail("there is no world at hex " + document.hexText(hex));
}

Result<> emptyHexHeld(const Document& document, Hex hex) {
    if (!document.holds(hex)) {
        const int index = document.origin().subsector;
        return fail("the hex " + hex.text() + " lies outside " +
                    (document.isSectorFile() ? std::string("the sector")
                                             : "subsector " + std::string(1, static_cast<char>('A' + index))));
    }
    if (document.worldAt(hex))
        return fail("the hex " + document.hexText(hex) + " already holds " + document.worldLabel(hex));
    return {};
}

// The world with one field set. A sector file's world is its fields: the record is made again from them,
// so that the line changes in that field alone. A subsector file's world is its record: only the parts of
// it the field says are taken.
SectorWorld withField(const Document& document, const SectorWorld& before, const std::string& name,
                      const std::string& value) {
    SectorFields fields = fieldsToWrite(before);
    fields[name] = value;
    if (document.isSectorFile()) {
        SectorWorld after = worldFromFields(Hex{before.column, before.row}, std::move(fields));
        after.line = before.line;
        return after;
    }
    SectorWorld after = before;
    if (std::find(kRecordFields.begin(), kRecordFields.end(), name) == kRecordFields.end()) {
        after.fields[name] = value;
        return after;
    }
    const WorldRecord made = recordFromFields(fields);
    WorldRecord& record = after.record;
    if (name == "Name") record.name = made.name;
    if (name == "UWP") {
        record.uwp = made.uwp;
        record.tradeCodes = made.tradeCodes;
        record.cargoBase = made.cargoBase;
    }
    if (name == "Bases") record.base = made.base;
    if (name == "Remarks") record.notes = made.notes;
    if (name == "Zone") record.zone = made.zone;
    if (name == "PBG") {
        record.pag = made.pag;
        record.gasGiant = made.gasGiant;
    }
    if (name == "Allegiance") record.allegiance = made.allegiance;
    if (name == "Stars") {
        record.star1 = made.star1;
        record.star2 = made.star2;
        record.star3 = made.star3;
    }
    return after;
}

void replaceAt(Document& document, Hex hex, SectorWorld world) {
    if (const auto position = document.positionOf(hex)) document.worldAtPosition(*position) = std::move(world);
}

}  // namespace

std::optional<std::string> fieldName(const Document& document, const std::string& name) {
    const std::string wanted = lowerAscii(trimBlanks(name));
    const std::string canonical = canonicalColumnName(name);
    std::vector<std::string> known(kSectorColumnNames.begin(), kSectorColumnNames.end());
    known.insert(known.end(), document.sector().extraColumns.begin(), document.sector().extraColumns.end());
    for (const std::string& column : known) {
        if (column == "SS" || column == "Hex") continue;
        if (lowerAscii(column) == wanted || column == canonical || withoutBrackets(column) == wanted) return column;
    }
    return std::nullopt;
}

Result<std::string> uwpFieldText(std::string_view typed) {
    const std::string text = upperAscii(trimBlanks(typed));
    const auto wrong = [&](const std::string& why) { return fail("the UWP \"" + std::string(typed) + "\" " + why); };
    const bool hyphenated = text.size() == 9 && text[7] == '-';
    if (!hyphenated && text.size() != 8) return wrong("is not a starport and seven digits, such as A788899-C");
    const char port = text[0];
    if (!(port >= 'A' && port <= 'Z') && port != '?') return wrong("has no starport letter first");
    constexpr std::string_view common = "0123456789ABCDEFGHJKLMNPQRSTUVWXYZ?";
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (hyphenated && i == 7) continue;
        if (common.find(text[i]) == std::string_view::npos) {
            return wrong("has " + std::string(1, text[i]) + " where a digit belongs");
        }
    }
    return hyphenated ? text : sectorUwpText(text);
}

SetFieldEdit::SetFieldEdit(Hex hex, std::string field, std::string value)
    : hex_(hex), field_(std::move(field)), value_(std::move(value)) {
    hexes_ = {hex};
}

Result<> SetFieldEdit::apply(Document& document) {
    const Result<std::size_t> position = worldPosition(document, hex_);
    if (!position) return Failure{position.failure()};
    const auto name = fieldName(document, field_);
    if (!name) return fail("there is no field \"" + field_ + "\"");
    std::string value = value_;
    if (value.find_first_of("\t\r\n") != std::string::npos) {
        return fail("the " + fieldLabel(*name) + " cannot hold a TAB or a line break");
    }
    if (*name == "UWP") {
        Result<std::string> uwp = uwpFieldText(value);
        if (!uwp) return Failure{uwp.failure()};
        value = *uwp;
    }
    text_ = "Change " + fieldLabel(*name) + " of " + document.worldLabel(hex_);
    before_ = document.worldAtPosition(*position);
    document.worldAtPosition(*position) = withField(document, *before_, *name, value);
    return {};
}

void SetFieldEdit::revert(Document& document) {
    if (before_) replaceAt(document, hex_, *before_);
}

ChangeWorldEdit::ChangeWorldEdit(SectorWorld world, std::string text) : world_(std::move(world)) {
    text_ = std::move(text);
    hexes_ = {Hex{world_.column, world_.row}};
}

Result<> ChangeWorldEdit::apply(Document& document) {
    const Result<std::size_t> position = worldPosition(document, hexes_.front());
    if (!position) return Failure{position.failure()};
    before_ = document.worldAtPosition(*position);
    SectorWorld world = world_;
    world.line = before_->line;
    document.worldAtPosition(*position) = std::move(world);
    return {};
}

void ChangeWorldEdit::revert(Document& document) {
    if (before_) replaceAt(document, hexes_.front(), *before_);
}

AddWorldEdit::AddWorldEdit(SectorWorld world) : world_(std::move(world)) {
    world_.line = 0;
    hexes_ = {Hex{world_.column, world_.row}};
}

Result<> AddWorldEdit::apply(Document& document) {
    const Hex hex = hexes_.front();
    if (Result<> empty = emptyHexHeld(document, hex); !empty) return empty;
    world_.record.location = static_cast<std::int16_t>(hex.localNumber());
    document.insertWorld(document.sector().worlds.size(), world_);
    text_ = "Add world " + document.worldLabel(hex);
    return {};
}

void AddWorldEdit::revert(Document& document) {
    if (const auto position = document.positionOf(hexes_.front())) (void)document.removeWorld(*position);
}

DeleteWorldEdit::DeleteWorldEdit(Hex hex) : hex_(hex) { hexes_ = {hex}; }

Result<> DeleteWorldEdit::apply(Document& document) {
    const Result<std::size_t> position = worldPosition(document, hex_);
    if (!position) return Failure{position.failure()};
    text_ = "Delete world " + document.worldLabel(hex_);
    position_ = *position;
    deleted_ = document.removeWorld(*position);
    return {};
}

void DeleteWorldEdit::revert(Document& document) {
    if (deleted_) document.insertWorld(position_, *deleted_);
}

MoveWorldEdit::MoveWorldEdit(Hex from, Hex to) : from_(from), to_(to) { hexes_ = {from, to}; }

namespace {

void moveWorld(Document& document, std::size_t position, Hex to) {
    SectorWorld& world = document.worldAtPosition(position);
    world.column = to.column;
    world.row = to.row;
    world.record.location = static_cast<std::int16_t>(to.localNumber());
}

}  // namespace

Result<> MoveWorldEdit::apply(Document& document) {
    const Result<std::size_t> position = worldPosition(document, from_);
    if (!position) return Failure{position.failure()};
    if (Result<> empty = emptyHexHeld(document, to_); !empty) return empty;
    text_ = "Move " + document.worldLabel(from_) + " to " + document.hexText(to_);
    moveWorld(document, *position, to_);
    return {};
}

void MoveWorldEdit::revert(Document& document) {
    if (const auto position = document.positionOf(to_)) moveWorld(document, *position, from_);
}

ReplaceSubsectorEdit::ReplaceSubsectorEdit(int index, std::vector<SectorWorld> worlds, std::string name,
                                           std::string text)
    : index_(index), worlds_(std::move(worlds)), name_(std::move(name)) {
    text_ = std::move(text);
}

Result<> ReplaceSubsectorEdit::apply(Document& document) {
    if (index_ < 0 || index_ >= kSubsectorCount) return fail("there is no subsector " + std::to_string(index_));
    std::set<Hex> hexes;
    for (const SectorWorld& world : worlds_) {
        const Hex hex{world.column, world.row};
        if (!document.holds(hex) || hex.subsectorIndex() != index_) {
            return fail("the hex " + hex.text() + " lies outside subsector " +
                        std::string(1, static_cast<char>('A' + index_)));
        }
        if (!hexes.insert(hex).second) return fail("two worlds at hex " + hex.text());
    }
    Sector& sector = document.names();
    before_ = sector.worlds;
    nameBefore_ = sector.subsectorNames[static_cast<std::size_t>(index_)];
    for (const SectorWorld& world : before_) {
        if (subsectorIndexOf(world.column, world.row) == index_) hexes.insert(Hex{world.column, world.row});
    }
    std::erase_if(sector.worlds, [this](const SectorWorld& w) { return subsectorIndexOf(w.column, w.row) == index_; });
    for (SectorWorld world : worlds_) {
        world.line = 0;
        world.record.location = static_cast<std::int16_t>(Hex{world.column, world.row}.localNumber());
        sector.worlds.push_back(std::move(world));
    }
    sector.subsectorNames[static_cast<std::size_t>(index_)] = name_;
    hexes_.assign(hexes.begin(), hexes.end());
    return {};
}

void ReplaceSubsectorEdit::revert(Document& document) {
    Sector& sector = document.names();
    sector.worlds = before_;
    sector.subsectorNames[static_cast<std::size_t>(index_)] = nameBefore_;
}

RenameEdit::RenameEdit(int index, std::string name) : index_(index), name_(std::move(name)) {}

Result<> RenameEdit::apply(Document& document) {
    if (index_ < -1 || index_ >= kSubsectorCount) return fail("there is no subsector " + std::to_string(index_));
    Sector& sector = document.names();
    std::string& name = index_ < 0 ? sector.name : sector.subsectorNames[static_cast<std::size_t>(index_)];
    before_ = name;
    name = name_;
    text_ = index_ < 0 ? "Rename the sector to " + name_
                       : "Rename subsector " + std::string(1, static_cast<char>('A' + index_)) + " to " + name_;
    return {};
}

void RenameEdit::revert(Document& document) {
    Sector& sector = document.names();
    (index_ < 0 ? sector.name : sector.subsectorNames[static_cast<std::size_t>(index_)]) = before_;
}

}  // namespace qelvar
