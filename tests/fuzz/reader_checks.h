#pragma once
// What every reader must survive, shared by the fuzz targets and the regression test over
// tests/data/hostile: any bytes load without a crash, and saving settles: once a loaded subsector has
// been written and read back, every further write gives the same bytes, as SBS and as ARP.

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
#include "files/sector_file.h"
#include "reports/file_marks.h"

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

inline bool savingSettles(const SubsectorStore& loaded) {
    const auto readSbsBytes = [](SubsectorStore& s, const std::string& b) { readSbs(s, b); };
    const auto writeSbsBytes = [](const SubsectorStore& s) { return formatSbs(s).value; };
    const auto readArpBytes = [](SubsectorStore& s, const std::string& b) { readArp(s, b); };
    const auto writeArpBytes = [](const SubsectorStore& s) { return formatArp(s).value; };
    formatArpHtml(loaded);
    return settles(loaded, readSbsBytes, writeSbsBytes) && settles(loaded, readArpBytes, writeArpBytes);
}

inline bool checkSbs(std::string_view bytes) {
    SubsectorStore store;
    readSbs(store, bytes);
    subsectorIndexLine(FileType::Sbs, "x.sbs", bytes);
    return savingSettles(store);
}

inline bool checkArp(std::string_view bytes) {
    SubsectorStore store;
    readArp(store, bytes);
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
    readDat(store, data, letter);
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
