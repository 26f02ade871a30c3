#include "files/line_facts.h"

#include <string>

#include "store/subsector_store.h"
#include "store/text.h"

namespace qelvar {

void noteSecondLine(SubsectorStore& store, Notices& notices, int slot, int fileHex, std::string_view name) {
    if (slot < 1 || slot > kHexCount) return;
    const WorldRecord& held = store.worlds[static_cast<std::size_t>(slot)];
    if (!held.occupied()) return;
    LineSeen seen{fileHex, std::string(trimBlanks(name)), std::string(held.name.trimmed())};
    notices.emplace_back("DUPLICATE " + formatFourDigits(fileHex) + " " + seen.name + " replaces " + seen.replaced);
    store.readFacts.duplicates.push_back(std::move(seen));
}

void noteLineOutside(SubsectorStore& store, int slot, int fileHex, std::string_view name) {
    const std::string_view trimmed = trimBlanks(name);
    if ((slot == 0 || slot > kHexCount) && !trimmed.empty())
        store.readFacts.outside.push_back({fileHex, std::string(trimmed), {}});
}

}  // namespace qelvar
