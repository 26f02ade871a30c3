// The metadata file beside a sector file: <Sector><Name>...</Name><Subsectors><Subsector Index="C">...
#include <pugixml.hpp>

#include <sstream>

#include "files/sector_file.h"
#include "store/cp1252.h"
#include "store/paths.h"

namespace qelvar {

std::string sectorMetadataPath(const std::string& path) {
    const std::string name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    return path.substr(0, path.size() - name.size()) + (dot == std::string::npos ? name : name.substr(0, dot)) + ".xml";
}

std::string formatSectorMetadata(const Sector& sector) {
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("Sector");
    root.append_child("Name").text().set(utf8FromCp1252(sector.name).c_str());
    pugi::xml_node subsectors = root.append_child("Subsectors");
    for (int i = 0; i < kSubsectorCount; ++i) {
        pugi::xml_node subsector = subsectors.append_child("Subsector");
        subsector.append_attribute("Index").set_value(std::string(1, static_cast<char>('A' + i)).c_str());
        subsector.text().set(utf8FromCp1252(sector.subsectorNames[static_cast<std::size_t>(i)]).c_str());
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

Result<> readSectorMetadata(std::string_view bytes, Sector& sector) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(bytes.data(), bytes.size());
    if (!parsed) return fail(std::string("it is not XML: ") + parsed.description());
    const pugi::xml_node root = document.child("Sector");
    if (!root) return fail("it has no Sector element");
    if (const pugi::xml_node name = root.child("Name")) sector.name = cp1252FromUtf8(name.text().get());
    for (const pugi::xml_node subsector : root.child("Subsectors").children("Subsector")) {
        const std::string index = subsector.attribute("Index").value();
        if (index.size() != 1 || index[0] < 'A' || index[0] > 'P') continue;
        sector.subsectorNames[static_cast<std::size_t>(index[0] - 'A')] = cp1252FromUtf8(subsector.text().get());
    }
    return {};
}

}  // namespace qelvar
