// qelvar-cli trade and route: the trade routes of charted space, and a jump route between two worlds. No Qt.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <limits>
#include <memory>

#include "cli.h"
#include "map/sector_map.h"
#include "space/jump_route.h"
#include "space/trade_routes.h"
#include "store/cp1252.h"
#include "store/text.h"

namespace qelvar {

namespace {

inline constexpr int kExitNoRoute = 3;

// Charted space from the paths, its problems told; nothing when none of it could be read (told, exit 2).
std::optional<ChartedSpace> loadSpace(CliSession& session, const std::vector<std::string>& paths) {
    Result<WithNotices<ChartedSpace>> loaded = loadChartedSpace(paths);
    if (!loaded) {
        session.prompter.message(loaded.error(), MessageIcon::Exclamation, {});
        session.status = kExitFile;
        return std::nullopt;
    }
    session.prompter.tell(loaded->notices);
    return std::move(loaded->value);
}

std::string jsonText(std::string_view text) {
    return nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Credits as a JSON number; a sum beyond 64 bits as its digits in a string.
nlohmann::json creditsJson(Credits credits) {
    if (credits <= std::numeric_limits<std::uint64_t>::max()) return static_cast<std::uint64_t>(credits);
    return creditsText(credits);
}

std::string numberText(double value) {
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), written.ptr);
}

struct Place {
    std::string sector;
    std::string hex;
};

std::vector<Place> placesOf(const ChartedSpace& space, const std::vector<SpaceWorld>& worlds) {
    std::vector<Place> places;
    places.reserve(worlds.size());
    for (const SpaceWorld& w : worlds) {
        places.push_back({terminalText(trimBlanks(space.sectors[static_cast<std::size_t>(w.sector)].sector.name)),
                          formatFourDigits(w.column * 100 + w.row)});
    }
    return places;
}

std::string formatTradeStats(const std::vector<SpaceWorld>& worlds, const std::vector<Place>& places,
                             const TradeRun& run) {
    nlohmann::ordered_json stats;
    nlohmann::ordered_json& worldList = stats["worlds"] = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < worlds.size(); ++i) {
        const WorldTrade& trade = run.worlds[i];
        worldList.push_back({{"sector", places[i].sector},
                             {"hex", places[i].hex},
                             {"name", worlds[i].name},
                             {"wtn", trade.wtn},
                             {"trade", creditsJson(trade.own)},
                             {"through", creditsJson(trade.through)}});
    }
    nlohmann::ordered_json& linkList = stats["links"] = nlohmann::ordered_json::array();
    for (std::size_t l = 0; l < run.graph.links.size(); ++l) {
        if (run.linkTrade[l] == 0) continue;
        const JumpLink& link = run.graph.links[l];
        const Place& a = places[static_cast<std::size_t>(link.a)];
        const Place& b = places[static_cast<std::size_t>(link.b)];
        linkList.push_back({{"from", {{"sector", a.sector}, {"hex", a.hex}}},
                            {"to", {{"sector", b.sector}, {"hex", b.hex}}},
                            {"length", link.length},
                            {"weight", run.weights[l]},
                            {"trade", creditsJson(run.linkTrade[l])},
                            {"class", tradeClassName(tradeClassOf(run.linkTrade[l]))}});
    }
    return stats.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

// One line per routed pair, in the order they were routed.
std::string formatTradeLog(const std::vector<Place>& places, const TradeRun& run) {
    std::vector<std::string> endText;
    std::vector<std::string> stopText;
    for (const Place& place : places) {
        endText.push_back("{\"sector\":" + jsonText(place.sector) + ",\"hex\":\"" + place.hex + "\"}");
        stopText.push_back(jsonText(place.sector + ' ' + place.hex));
    }
    std::string log;
    for (const TradePair& pair : run.pairs) {
        if (!pair.routed()) continue;
        log += "{\"from\":" + endText[static_cast<std::size_t>(pair.a)] +
               ",\"to\":" + endText[static_cast<std::size_t>(pair.b)] + ",\"btn\":" + std::to_string(pair.btn) +
               ",\"path\":[";
        for (int s = 0; s < pair.stopCount; ++s) {
            if (s > 0) log += ',';
            log += stopText[static_cast<std::size_t>(run.stops[static_cast<std::size_t>(pair.firstStop + s)])];
        }
        log += "],\"cost\":" + numberText(pair.cost) + "}\n";
    }
    return log;
}

struct TradeArguments {
    std::vector<std::string> in;
    TradeOptions options;
    std::string routesOut, stats, log;
};

int runTradeCommand(CliSession& session, const TradeArguments& args) {
    const auto started = std::chrono::steady_clock::now();
    const auto space = loadSpace(session, args.in);
    if (!space) return kExitFile;
    const std::vector<SpaceWorld> worlds = spaceWorldsOf(*space);
    const TradeRun run = runTrade(worlds, args.options);
    const std::vector<Place> places = placesOf(*space, worlds);
    if (!args.routesOut.empty()) {
        const int status = writeOutput(session, args.routesOut, formatTradeRoutes(*space, tradeRoutesOf(worlds, run)));
        if (status != kExitOk) return status;
    }
    if (!args.stats.empty()) {
        const int status = writeOutput(session, args.stats, formatTradeStats(worlds, places, run));
        if (status != kExitOk) return status;
    }
    if (!args.log.empty()) {
        const int status = writeOutput(session, args.log, formatTradeLog(places, run));
        if (status != kExitOk) return status;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::array<char, 32> time{};
    std::snprintf(time.data(), time.size(), "%.2f", seconds);
    session.out << "Worlds: " << worlds.size() << '\n'
                << "Jump links: " << run.graph.links.size() << '\n'
                << "Pairs routed: " << run.routed << " of " << run.pairs.size() << '\n'
                << "Total trade: " << creditsText(run.total) << " credits a year\n"
                << "Time: " << time.data() << " s\n";
    return kExitOk;
}

}  // namespace

void addTradeCommand(CLI::App& app, CliSession& session) {
    auto args = std::make_shared<TradeArguments>();
    CLI::App* command =
        app.add_subcommand("trade", "Route the trade of charted space over its jump links and print a summary");
    command->add_option("IN", args->in, "sector files, or folders of them, placed by their metadata's X and Y")
        ->required();
    command->add_option("--jump", args->options.jump, "links between worlds at most J hexes apart (1 to 6, default 4)")
        ->type_name("J")
        ->check(CLI::Range(1, kMaxJump));
    command->add_option("--min-btn", args->options.minBtn, "the least bilateral trade number that trades (default 13)")
        ->type_name("N")
        ->check(CLI::Range(0, 99));
    command
        ->add_option("--reuse", args->options.reuse,
                     "a used link's weight comes a R-th of the way down to its length (default 10)")
        ->type_name("R")
        ->check(CLI::Range(1, 1000000));
    command->add_option("--routes-out", args->routesOut, "the links by trade class as <Routes>, for the maps")
        ->type_name("FILE.xml");
    command->add_option("--stats", args->stats, "every world's and every trading link's figures as JSON")
        ->type_name("FILE.json");
    command->add_option("--log", args->log, "one JSON line per routed pair: worlds, BTN, path and its cost")
        ->type_name("FILE.jsonl");
    command->callback([&session, args] { session.status = runTradeCommand(session, *args); });
}

void addRouteCommand(CLI::App& app, CliSession& session) {
    struct Arguments {
        std::string in, from, to, refuel = "any";
        JumpRouteOptions options;
    };
    auto args = std::make_shared<Arguments>();
    CLI::App* command = app.add_subcommand(
        "route",
        "Plan a jump route between two worlds: fewest jumps, then fewest hexes; one line a stop (sector, hex, "
        "name, UWP); exit 3 when there is none");
    command->add_option("IN", args->in, "a sector file, or a folder of them placed by their metadata")->required();
    command->add_option("FROM", args->from, "\"Sector Name 1910\", or a world's name")->required();
    command->add_option("TO", args->to, "\"Sector Name 1910\", or a world's name")->required();
    command->add_option("--jump", args->options.jump, "the longest jump in hexes (1 to 6, default 2)")
        ->type_name("J")
        ->check(CLI::Range(1, kMaxJump));
    command
        ->add_option("--refuel", args->refuel,
                     "where the ship may stop: any world (default), gas (a starport A-D, a gas giant or water) or "
                     "port (a starport A-D)")
        ->check(CLI::IsMember({"any", "gas", "port"}));
    command->add_flag("--avoid-red", args->options.avoidRed, "no stop in a red or forbidden zone");
    command->callback([&session, args] {
        const auto space = loadSpace(session, {args->in});
        if (!space) return;
        const std::vector<SpaceWorld> worlds = spaceWorldsOf(*space);
        const auto find = [&](const std::string& text) {
            const auto found = findSpaceWorld(*space, worlds, text);
            if (!found) throw CLI::ValidationError("no world \"" + text + "\" in " + args->in);
            return *found;
        };
        const int from = find(args->from);
        const int to = find(args->to);
        args->options.refuel = args->refuel == "port"  ? Refuelling::Port
                               : args->refuel == "gas" ? Refuelling::Gas
                                                       : Refuelling::Any;
        const auto route = planJumpRoute(worlds, from, to, args->options);
        if (!route) {
            session.prompter.message(
                "No route at jump " + std::to_string(args->options.jump) + " from " + args->from + " to " + args->to,
                MessageIcon::Exclamation, {});
            session.status = kExitNoRoute;
            return;
        }
        for (const int stop : route->stops) {
            const SpaceWorld& w = worlds[static_cast<std::size_t>(stop)];
            session.out << terminalText(trimBlanks(space->sectors[static_cast<std::size_t>(w.sector)].sector.name))
                        << '\t' << formatFourDigits(w.column * 100 + w.row) << '\t' << w.name << '\t' << w.uwp << '\n';
        }
    });
}

}  // namespace qelvar
