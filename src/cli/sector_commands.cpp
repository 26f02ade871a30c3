// The commands over whole sector files: convert to and from them, split one into subsector files and
// join subsector files into one. No Qt.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>

#include "cli.h"
#include "file_commands.h"
#include "files/arp.h"
#include "files/loader.h"
#include "files/sbs.h"
#include "files/sector_file.h"
#include "store/codes.h"
#include "store/cp1252.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/text.h"

namespace qelvar {

namespace {

std::string baseNameOf(const std::string& path) {
    const std::string name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The sector file read, its line problems told; nothing when it could not be read (told, exit 2).
std::optional<Sector> readSectorInput(CliSession& session, const std::string& path) {
    Result<WithNotices<SectorRead>> read = readSectorFile(path);
    if (!read) {
        session.prompter.message(read.error(), MessageIcon::Exclamation, {});
        session.status = kExitFile;
        return std::nullopt;
    }
    session.prompter.tell(read->notices);
    return std::move(read->value.sector);
}

// The subsector of a sector as a subsector file (SBS, ARP or the HTML table), telling what SBS or ARP
// cannot hold.
int writeSubsectorOfSector(CliSession& session, const Sector& sector, int index, const std::string& path) {
    SubsectorStore& store = session.store;
    sectorToStore(sector, index, store);
    const std::string extension = extensionOf(path);
    SubsectorStore back;
    if (extension == ".sbs") {
        const WithNotices<std::string> bytes = formatSbs(store);
        (void)readSbs(back, bytes.value);
        if (auto lost = subsectorLossNotice(sector, index, back, "SBS")) session.prompter.tell({*lost});
    } else if (extension == ".arp") {
        const WithNotices<std::string> bytes = formatArp(store);
        (void)readArp(back, bytes.value);
        if (auto lost = subsectorLossNotice(sector, index, back, "ARP")) session.prompter.tell({*lost});
    }
    return writeConvertedFile(store, session.prompter, path);
}

int writeSectorOutput(CliSession& session, const Sector& sector, const std::string& path, SectorFormat format) {
    Result<Notices> written = writeSectorFile(sector, path, format);
    if (!written) {
        session.prompter.message(written.error(), MessageIcon::Exclamation, {});
        return kExitFile;
    }
    session.prompter.tell(*written);
    return kExitOk;
}

SectorFormat sectorFormatOption(const std::string& path, const std::string& choice) {
    if (const auto format = sectorFormatFor(path, choice)) return *format;
    throw CLI::ValidationError("--sector-format takes tab, columns or legacy, not \"" + choice + "\"");
}

}  // namespace

int convertWithSectors(CliSession& session, const std::string& in, const std::string& out, const std::string& letter,
                       const std::string& sectorFormat) {
    const bool sectorOut = isSectorFileName(out);
    if (isSectorFile(in)) {
        if (!sectorOut && letter.empty()) {
            throw CLI::ValidationError("\"" + in + "\" is a whole sector: give the subsector to write with --letter");
        }
        const auto sector = readSectorInput(session, in);
        if (!sector) return kExitFile;
        if (sectorOut) return writeSectorOutput(session, *sector, out, sectorFormatOption(out, sectorFormat));
        return writeSubsectorOfSector(session, *sector, letter[0] - 'A', out);
    }
    if (!loadInput(session, in, letter)) return kExitFile;
    if (!letterOffset(session.store.subsectorLetter)) {
        if (letter.empty())
            throw CLI::ValidationError("\"" + in + "\" has no subsector letter: give one with --letter");
        session.store.subsectorLetter = letter;
    }
    Sector sector;
    storeIntoSector(session.store, sector);
    return writeSectorOutput(session, sector, out, sectorFormatOption(out, sectorFormat));
}

void addSplitCommand(CLI::App& app, CliSession& session) {
    struct Arguments {
        std::string sector, folder, stub, type;
    };
    auto args = std::make_shared<Arguments>();
    CLI::App* command = app.add_subcommand(
        "split", "Split a sector file into its subsector files, DIR/STUB-letter.SBS for each subsector with worlds");
    command->add_option("SECTOR", args->sector, "the sector file (.tab, .tsv or .sec)")->required();
    command->add_option("DIR", args->folder, "the folder the subsector files go to")->required();
    command->add_option("--stub", args->stub, "the start of every file name; the sector file's base name by default")
        ->type_name("S");
    command->add_option("--type", args->type, "the files written: sbs (default) or arp")
        ->type_name("TYPE")
        ->check(CLI::IsMember({"sbs", "arp"}, CLI::ignore_case));
    command->callback([&session, args] {
        const auto sector = readSectorInput(session, args->sector);
        if (!sector) return;
        std::error_code ignored;
        std::filesystem::create_directories(args->folder, ignored);
        const std::string stub = args->stub.empty() ? baseNameOf(args->sector) : args->stub;
        const std::string extension = lowerAscii(args->type) == "arp" ? ".ARP" : ".SBS";
        for (int index = 0; index < kSubsectorCount; ++index) {
            if (sector->worldCount(index) == 0) continue;
            const std::string path =
                joinPath(args->folder, stub + "-" + std::string(1, static_cast<char>('A' + index)) + extension);
            const int status = writeSubsectorOfSector(session, *sector, index, path);
            if (status != kExitOk) {
                session.status = status;
                return;
            }
            session.out << terminalText(path) << '\n';
        }
    });
}

void addJoinCommand(CLI::App& app, CliSession& session) {
    struct Arguments {
        std::string sector, letter, format;
        std::vector<std::string> inputs;
    };
    auto args = std::make_shared<Arguments>();
    CLI::App* command = app.add_subcommand(
        "join", "Put subsector files into a sector file, replacing only their own rows (the file is made if new)");
    command->add_option("SECTOR", args->sector, "the sector file (.tab, .tsv or .sec)")
        ->required()
        ->check(CLI::Validator(outputExtensionCheck({".tab", ".tsv", ".sec"}), "SECTOR", "sector file"));
    command->add_option("IN", args->inputs, "the subsector files (SBS, ARP or galactic DAT)")->required();
    addLetterOption(*command, args->letter);
    command->add_option("--sector-format", args->format, "a new sector file's format: tab, columns or legacy")
        ->type_name("F")
        ->check(CLI::IsMember({"tab", "columns", "legacy"}));
    command->callback([&session, args] {
        std::vector<SubsectorStore> stores(args->inputs.size());
        std::map<char, std::string> fileOfLetter;
        for (std::size_t i = 0; i < args->inputs.size(); ++i) {
            const std::string& path = args->inputs[i];
            // A data file's letter comes from DATA.MNU beside it first; --letter answers only when it has none.
            session.prompter.inputAnswer = args->letter;
            const LoadStatus status = loadSubsectorFile(session.store, session.prompter, path,
                                                        LoadOptions{folderOf(path), fileNameOf(path), {}});
            if (status == LoadStatus::Cancelled) {
                throw CLI::ValidationError("no subsector letter for \"" + path + "\": give one with --letter");
            }
            if (status != LoadStatus::Loaded) {
                session.status = kExitFile;
                return;
            }
            if (!letterOffset(session.store.subsectorLetter)) {
                if (args->letter.empty())
                    throw CLI::ValidationError("\"" + path + "\" has no subsector letter: give one with --letter");
                session.store.subsectorLetter = args->letter;
            }
            const char letter = session.store.subsectorLetter[0];
            if (const auto other = fileOfLetter.find(letter); other != fileOfLetter.end()) {
                throw CLI::ValidationError("\"" + other->second + "\" and \"" + path + "\" are both subsector " +
                                           std::string(1, letter));
            }
            fileOfLetter[letter] = path;
            stores[i] = session.store;
        }
        std::vector<const SubsectorStore*> pointers;
        for (const SubsectorStore& store : stores) pointers.push_back(&store);
        const auto format = args->format.empty() ? std::nullopt : sectorFormatFor(args->sector, args->format);
        Result<Notices> joined = joinIntoSectorFile(args->sector, pointers, format);
        if (!joined) {
            session.prompter.message(joined.error(), MessageIcon::Exclamation, {});
            session.status = kExitFile;
            return;
        }
        session.prompter.tell(*joined);
    });
}

}  // namespace qelvar
