#pragma once
// The edits of a document: each one applies, reverts, says in a line what it does ("Change UWP of Regina
// (1910)") and which hexes it changed. An edit that cannot apply fails and leaves the document as it was;
// revert is only called on the document as apply left it (an undo history keeps that order).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/document.h"
#include "store/result.h"

namespace qelvar {

class Edit {
public:
    virtual ~Edit() = default;
    [[nodiscard]] virtual Result<> apply(Document& document) = 0;
    virtual void revert(Document& document) = 0;
    // What the edit does, as Windows-1252 bytes; known once it applied.
    const std::string& text() const { return text_; }
    const std::vector<Hex>& hexes() const { return hexes_; }

protected:
    std::string text_;
    std::vector<Hex> hexes_;
};

// Sets one field of the world at hex to the text given, as a sector file holds it: Name, UWP, Bases,
// Remarks, Zone, PBG, Allegiance, Stars, the extension columns ({Ix}, (Ex), [Cx], Nobility, W, RU), Sector,
// or a column of the file the writers do not know. The field's name is matched as fieldName() does.
class SetFieldEdit : public Edit {
public:
    SetFieldEdit(Hex hex, std::string field, std::string value);
    Result<> apply(Document& document) override;
    void revert(Document& document) override;

private:
    Hex hex_;
    std::string field_, value_;
    std::optional<SectorWorld> before_;
};

// Replaces the world at hex by another one at the same hex (the details window's changes of a record).
class ChangeWorldEdit : public Edit {
public:
    ChangeWorldEdit(SectorWorld world, std::string text);
    Result<> apply(Document& document) override;
    void revert(Document& document) override;

private:
    SectorWorld world_;
    std::optional<SectorWorld> before_;
};

// Adds a world on an empty hex the document holds.
class AddWorldEdit : public Edit {
public:
    explicit AddWorldEdit(SectorWorld world);
    Result<> apply(Document& document) override;
    void revert(Document& document) override;

private:
    SectorWorld world_;
};

class DeleteWorldEdit : public Edit {
public:
    explicit DeleteWorldEdit(Hex hex);
    Result<> apply(Document& document) override;
    void revert(Document& document) override;

private:
    Hex hex_;
    std::size_t position_ = 0;
    std::optional<SectorWorld> deleted_;
};

// Moves the world at `from` onto the empty hex `to`; its line stays where it was in the file.
class MoveWorldEdit : public Edit {
public:
    MoveWorldEdit(Hex from, Hex to);
    Result<> apply(Document& document) override;
    void revert(Document& document) override;

private:
    Hex from_, to_;
};

// Puts new worlds (and a name) in place of every world of subsector index: a generated subsector.
class ReplaceSubsectorEdit : public Edit {
public:
    ReplaceSubsectorEdit(int index, std::vector<SectorWorld> worlds, std::string name, std::string text);
    Result<> apply(Document& document) override;
    void revert(Document& document) override;

private:
    int index_;
    std::vector<SectorWorld> worlds_;
    std::string name_;
    std::vector<SectorWorld> before_;
    std::string nameBefore_;
};

// Renames the sector (index -1) or subsector index (0..15); the name in Windows-1252 bytes.
class RenameEdit : public Edit {
public:
    RenameEdit(int index, std::string name);
    Result<> apply(Document& document) override;
    void revert(Document& document) override;

private:
    int index_;
    std::string name_, before_;
};

// The column name a field's name stands for: "uwp" is UWP, "ix" or "{Ix}" is {Ix}, a column the file has
// beyond the known ones by its own name (any letter case); nothing for an unknown name.
std::optional<std::string> fieldName(const Document& document, const std::string& name);

// The UWP a user typed as a sector file writes it: "A788899-C" (the common digits, 0-9 and A-Z without I
// and O) as it is, the eight characters without the hyphen in this program's digits turned into that
// form; either case, '?' for an unknown value. A failure says what is wrong.
[[nodiscard]] Result<std::string> uwpFieldText(std::string_view typed);

}  // namespace qelvar
