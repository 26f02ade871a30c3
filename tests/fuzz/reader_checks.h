#pragma once
// What every reader must survive, shared by the fuzz targets and the regression test over
// tests/data/hostile: any bytes load without a crash; what was loaded draws (map, printed page), lists and
// describes without harm; a save loses nothing: every world comes back field by field from SBS and from
// ARP, except what a format cannot keep (SBS recomputes the trade codes and price and keeps non-standard
// codes with the notes; ARP keeps 25 characters of notes); and saving settles: once written and read
// back, every further write gives the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/subsector_store.h"
#include "store/text.h"
#include "files/arp.h"
#include "files/dat.h"
#include "files/folder_files.h"
#include "files/sbs.h"
#include "details/description_table.h"
#include "details/world_details.h"
#include "map/map_drawing.h"
#include "map/map_printing.h"
#include "files/sector_file.h"
#include "reports/file_marks.h"
#include "reports/listing.h"
#include "seams/recording_surface.h"

namespace qelvar::fuzzing {

// Writes, reads back and writes again until two writes agree; a format whose writes keep changing fails.
template <typename Read, typename Write>
inline bool settles(const SubsectorStore& loaded, Read read, Write write) {
    std::string previous = write(loaded);
    for (int round = 0; round < 2; ++round) {
        SubsectorStore again;
        read(again, previous);
        std::string next = write(again);
        if (round == 1 && next != previous) return false;
        previous = std::move(next);
    }
    return true;
}

// Everything that shows a loaded subsector: the screen map, a printed page with the listing, the listing
// and the details of every hex, all on the recording surface.
inline void showEverything(const SubsectorStore& loaded) {
    RecordingSurface screen;
    (void)drawSubsectorMap(loaded, screen);
    RecordingSurface printer;
    printer.setPageHeight(277);
    (void)printMapAndListing(loaded, printer, PrintOptions{false, true, true, true});
    (void)listingLines(loaded);
    (void)formatArpHtml(loaded);
    for (int slot = 1; slot <= kHexCount; ++slot) {
        if (loaded.worlds[static_cast<std::size_t>(slot)].occupied()) {
            (void)worldDetailCaptions(loaded, descriptionTable(), slot, 0);
        }
    }
}

// Whether every world of `before` comes back in `after` (read from what a writer made of `before`). The
// reader upper-cases some fields; `sbs` allows what SBS cannot keep, otherwise what ARP cannot keep.
inline bool worldsKept(const SubsectorStore& before, const SubsectorStore& after, bool sbs) {
    // Fields compare as shown: the NULs of a cleared field and blanks are the same to a user.
    const auto upper = [](const auto& field) { return upperAscii(field.shown()); };
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const WorldRecord& a = before.worlds[static_cast<std::size_t>(slot)];
        const WorldRecord& b = after.worlds[static_cast<std::size_t>(slot)];
        if (a.occupied() != b.occupied()) return false;
        if (!a.occupied()) continue;
        const bool same = a.location == b.location && a.name.shown() == b.name.shown() &&
                          upper(a.uwp) == b.uwp.shown() && upper(a.base) == b.base.shown() &&
                          upper(a.zone) == b.zone.shown() && upper(a.gasGiant) == b.gasGiant.shown() &&
                          upper(a.star1) == b.star1.shown() && upper(a.star2) == b.star2.shown() &&
                          upper(a.star3) == b.star3.shown() && a.pag.shown() == b.pag.shown();
        if (!same) return false;
        const std::string notes(trimBlanks(a.notes.shown()));
        if (sbs) {
            // The notes follow the non-standard codes and are cut only where the 60 characters end.
            const std::string kept(trimBlanks(b.notes.shown()));
            bool found = notes.empty();
            for (std::size_t at = 0; !found && at < kept.size(); ++at) {
                const std::size_t length = kept.size() - at;
                found = (length == notes.size() || (kept.size() == 60 && length < notes.size())) &&
                        kept.compare(at, length, notes, 0, length) == 0;
            }
            if (!found) return false;
            const std::string allegiance = a.allegiance.shown();
            if (upperAscii(allegiance.substr(0, 1)) + allegiance.substr(1) != b.allegiance.shown()) return false;
        } else {
            if (trimBlanks(std::string_view(notes).substr(0, 25)) != trimBlanks(b.notes.shown())) return false;
            if (a.allegiance.shown() != b.allegiance.shown() || a.tradeCodes.shown() != b.tradeCodes.shown() ||
                a.facility.shown() != b.facility.shown()) {
                return false;
            }
            if (std::max<int>(a.cargoBase, -9999) != b.cargoBase) return false;
        }
    }
    return true;
}

inline bool savingSettles(const SubsectorStore& loaded) {
    showEverything(loaded);
    const auto readSbsBytes = [](SubsectorStore& s, const std::string& b) { (void)readSbs(s, b); };
    const auto writeSbsBytes = [](const SubsectorStore& s) { return formatSbs(s).value; };
    const auto readArpBytes = [](SubsectorStore& s, const std::string& b) { (void)readArp(s, b); };
    const auto writeArpBytes = [](const SubsectorStore& s) { return formatArp(s).value; };
    SubsectorStore viaSbs, viaArp;
    readSbsBytes(viaSbs, writeSbsBytes(loaded));
    readArpBytes(viaArp, writeArpBytes(loaded));
    return worldsKept(loaded, viaSbs, true) && worldsKept(loaded, viaArp, false) &&
           viaSbs.subsectorName == loaded.subsectorName && viaArp.sectorName == trimBlanks(loaded.sectorName) &&
           settles(loaded, readSbsBytes, writeSbsBytes) && settles(loaded, readArpBytes, writeArpBytes);
}

inline bool checkSbs(std::string_view bytes) {
    SubsectorStore store;
    (void)readSbs(store, bytes);
    subsectorIndexLine(FileType::Sbs, "x.sbs", bytes);
    return savingSettles(store);
}

inline bool checkArp(std::string_view bytes) {
    SubsectorStore store;
    (void)readArp(store, bytes);
    subsectorIndexLine(FileType::Arp, "x.arp", bytes);
    return savingSettles(store);
}

// The first byte gives the length of the DATA.MNU part that follows it; the rest is the data file,
// named "sector.dat". Without an index line for it, the first byte of the data file is the answer typed
// into the one-line letter question (which cannot hold a line break; such an answer is a cancel).
inline bool checkDat(std::string_view bytes) {
    if (bytes.empty()) return true;
    const std::size_t indexLength = std::min<std::size_t>(static_cast<unsigned char>(bytes[0]), bytes.size() - 1);
    const std::string_view index = bytes.substr(1, indexLength);
    const std::string_view data = bytes.substr(1 + indexLength);
    std::string letter;
    if (const auto fromIndex = letterFromDataIndex(index, "sector.dat")) {
        letter = *fromIndex;
    } else if (!data.empty() && data.front() != '\r' && data.front() != '\n') {
        letter = upperAscii(data.substr(0, 1));
    }
    if (letter.empty()) return true;  // the letter question was cancelled: nothing is read
    SubsectorStore store;
    (void)readDat(store, data, letter);
    subsectorIndexLine(FileType::Dat, "sector" + letter + ".dat", data);
    return savingSettles(store);
}

// A sector file in any of its formats: whatever reads, written in each sector format, reads back to the
// same bytes once written; and its first subsector saves settled.
inline bool checkSector(std::string_view bytes) {
    const Result<WithNotices<SectorRead>> read = readSector(bytes, "fuzz");
    if (!read) return true;
    const Sector& sector = read->value.sector;
    for (const SectorFormat format : {SectorFormat::Tab, SectorFormat::Columns, SectorFormat::Legacy}) {
        const auto written = [format](const Sector& s) { return formatSector(s, format).value; };
        std::string previous = written(sector);
        for (int round = 0; round < 2; ++round) {
            const Result<WithNotices<SectorRead>> again = readSector(previous, "fuzz");
            if (!again) return false;
            std::string next = written(again->value.sector);
            if (round == 1 && next != previous) return false;
            previous = std::move(next);
        }
    }
    SubsectorStore store;
    sectorToStore(sector, 0, store);
    return savingSettles(store);
}

}  // namespace qelvar::fuzzing
