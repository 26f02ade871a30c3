#pragma once
// qelvar-cli: the headless front end. Runs one command and returns the process exit status:
// 0 success, 1 usage error, 2 a file could not be read or written (check: 3 when it found something).
//
// Each command lives in a file of its own and registers itself with the parser through an add...Command
// function; the parser and the commands share one CliSession.

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli_prompter.h"
#include "store/subsector_store.h"

namespace CLI {
class App;
class Option;
class Validator;
}  // namespace CLI

namespace qelvar {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitFile = 2;

// What one run of the command line works on.
struct CliSession {
    CliSession(std::ostream& out, std::ostream& err);

    std::ostream& out;
    std::ostream& err;
    SubsectorStore store;
    CliPrompter prompter;
    int status = kExitOk;
    std::vector<std::string> arguments;  // the whole argument vector, program name first
};

struct RenderCommand;
struct SectorMapCommand;
struct AtlasMapCommand;
// Runs the command named by the arguments in this process. `render` and `sectorMap` run the drawing
// commands; the data-only front end hands them over to the drawing program instead.
using RenderRunner = std::function<int(CliSession&, const RenderCommand&)>;
using SectorMapRunner = std::function<int(CliSession&, const SectorMapCommand&)>;
using AtlasMapRunner = std::function<int(CliSession&, const AtlasMapCommand&)>;
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, const RenderRunner& render,
           const SectorMapRunner& sectorMap, const AtlasMapRunner& atlasMap);

// A usage error found after parsing (a value the option checks could not see) is thrown as the parser's
// own CLI::ValidationError: exit 1 with its text and the command's usage.
//
// Shared by the commands: the --letter and --jump options, loading IN as "Load" does (false when nothing could be
// loaded), and the lower-cased extension of a file name ("" when none).
CLI::Option* addLetterOption(CLI::App& command, std::string& letter);
CLI::Option* addJumpOption(CLI::App& command, int& jump);
[[nodiscard]] bool loadInput(CliSession& session, const std::string& path, const std::string& letter);
std::string extensionOf(const std::string& path);
// An option check for a resolution: a number from low to high ("nan" and "12x" fail).
CLI::Validator dotsPerInchCheck(double low, double high);
// An option check that accepts a file name whose extension is one of `extensions`.
std::function<std::string(std::string&)> outputExtensionCheck(std::vector<std::string> extensions);
// Writes bytes to path atomically; a failure is told and gives kExitFile.
[[nodiscard]] int writeOutput(CliSession& session, const std::string& path, const std::string& bytes);

// The commands.
struct RenderCommand {
    std::string in;
    std::string out;
    std::string letter;
    bool sectorGrid = false;
    double dpi = 0;  // 0: the screen's logical resolution
    // The printed page instead of the screen map: "full", "one-page", "landscape" or
    // "landscape-one-page"; empty for the screen map.
    std::string printMode;
    bool colour = false;   // "Colour printing"
    bool listing = false;  // "Map and listing"
    int jump = 0;          // jump links between worlds at most this many hexes apart
    std::string routes;    // a file of routes, drawn between the subsector's own hexes
};
// The whole sector on one map.
struct SectorMapCommand {
    std::string in;   // a sector file, a folder of subsector files, or a DAT file with DATA.MNU beside it
    std::string out;  // .png .svg .pdf .ops
    double dpi = 96;
    int jump = 0;
    std::string routes;        // the routes file; empty: the sector's own metadata file, if any
    std::string paper = "A2";  // the one sheet of a PDF
    bool landscape = false;
    std::string tile;               // A4 or A3: a PDF across as many sheets as the map needs at full scale
    std::string borders = "given";  // given (the metadata's), made (from allegiances) or none
    bool trade = false;             // the sector's own trade routes, by class, under the worlds
};
// The sector a sector-map command draws and what it draws with it: its routes, trade, borders, regions and
// labels. Nothing when the sector could not be loaded or a routes file given could not be read (told, and the
// exit status is in `status`).
struct PreparedSectorMap;
std::unique_ptr<PreparedSectorMap> prepareSectorMap(CliSession& session, const SectorMapCommand& command, int& status);
// The drawing operations (.ops) of a sector-map command, written without Qt.
int drawSectorMapOperations(CliSession& session, const SectorMapCommand& command);
// Many sectors of charted space on one map.
struct AtlasMapCommand {
    std::string in;                    // a folder of sector files (or one sector file)
    std::string out;                   // .png .svg .pdf .ops
    std::vector<std::string> sectors;  // the block round these sectors; empty: all, or --area
    std::vector<int> area;             // X1,Y1,X2,Y2
    double dpi = 96;
    int jump = 0;
    bool routes = false;
    std::string borders = "given";
    std::string paper = "A2";
    bool landscape = false;
    std::string tile;
    bool trade = false;  // the trade routes of the sectors loaded, by class, under any routes of their metadata
};
void addSectorMapCommand(CLI::App& app, CliSession& session, SectorMapCommand& command,
                         const SectorMapRunner& sectorMap);
void addConvertCommand(CLI::App& app, CliSession& session);
void addIndexCommand(CLI::App& app, CliSession& session);
void addBatchCommand(CLI::App& app, CliSession& session);
void addListCommand(CLI::App& app, CliSession& session);
void addDescribeCommand(CLI::App& app, CliSession& session);
void addDescriptionsCommand(CLI::App& app, CliSession& session);
void addRenderCommand(CLI::App& app, CliSession& session, RenderCommand& command, const RenderRunner& render);
void addGenerateCommand(CLI::App& app, CliSession& session);  // cli/generate_command.cpp
void addCheckCommand(CLI::App& app, CliSession& session);     // cli/check_command.cpp
void addEditCommand(CLI::App& app, CliSession& session);      // cli/edit_command.cpp
// cli/sector_commands.cpp: split, join, and convert when IN or OUT is a sector file (returns the status).
void addSplitCommand(CLI::App& app, CliSession& session);
void addJoinCommand(CLI::App& app, CliSession& session);
void addBordersCommand(CLI::App& app, CliSession& session);  // cli/space_commands.cpp
void addAtlasMapCommand(CLI::App& app, CliSession& session, AtlasMapCommand& command, const AtlasMapRunner& atlasMap);
// The options sector-map and atlas-map share: --borders, and the sheets of a PDF (--paper, --tile,
// --landscape, which only a .pdf takes).
void addBordersOption(CLI::App& command, std::string& borders);
void addSheetOptions(CLI::App& command, std::string& paper, std::string& tile, bool& landscape, const std::string& out);
// cli/trade_commands.cpp: the trade routes of charted space, and a jump route between two worlds.
void addTradeCommand(CLI::App& app, CliSession& session);
void addRouteCommand(CLI::App& app, CliSession& session);
int convertWithSectors(CliSession& session, const std::string& in, const std::string& out, const std::string& letter,
                       const std::string& sectorFormat);

}  // namespace qelvar
