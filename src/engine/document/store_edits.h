#pragma once
// A subsector store's worlds put into a document as edits, and a subsector saved into a sector file that
// way: only the lines of the worlds the store changed are written again.

#include <memory>
#include <string>
#include <vector>

#include "document/edits.h"
#include "files/sector.h"
#include "store/notice.h"
#include "store/result.h"

namespace qelvar {

class SubsectorStore;

// The edits that make the subsector of the store's letter (A-P) in the document hold what the store holds:
// a world whose record differs takes the store's record (the fields the record cannot hold stay), worlds
// are added and deleted, and the subsector takes the store's name. None for another letter.
std::vector<std::unique_ptr<Edit>> editsToHoldStore(const Document& document, const SubsectorStore& store);

// Puts the store's subsector into the sector file at path: an existing file keeps every byte but the lines
// of the worlds that changed (and its metadata file every element but a changed name); a file that is not
// there, or holds no world yet, is written as joinIntoSectorFile does.
[[nodiscard]] Result<Notices> saveStoreIntoSectorFile(const std::string& path, const SubsectorStore& store);

// Puts the store's subsector (a generated one) into the sector file at path in place of the one there: its
// worlds go with every field they had, the store's come in (and its name, when it has one); the other lines
// stay. A file that is not there,
// or holds no world yet, is written as joinIntoSectorFile does.
[[nodiscard]] Result<Notices> replaceSubsectorInSectorFile(const std::string& path, const SubsectorStore& store);

}  // namespace qelvar
