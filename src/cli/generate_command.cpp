#include "generate_command.h"

#include <algorithm>
#include <charconv>

#include <CLI/CLI.hpp>

#include <memory>

#include "store/startup.h"
#include "cli.h"
#include "store/cp1252.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "document/store_edits.h"
#include "files/sbs.h"
#include "files/sector_file.h"
#include "generation/dice.h"
#include "generation/world_generation.h"

namespace qelvar {

namespace {

// A whole number written with decimal digits only; nothing for anything else.
template <typename T>
std::optional<T> wholeNumber(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

template <typename Range>
std::string listed(const Range& values) {
    std::string text;
    for (const auto& value : values) {
        if (!text.empty()) text += ' ';
        if constexpr (std::is_arithmetic_v<std::decay_t<decltype(value)>>) {
            text += std::to_string(value);
        } else {
            text += value;
        }
    }
    return text;
}

template <typename Range>
bool contains(const Range& values, int value) {
    return std::find(std::begin(values), std::end(values), value) != std::end(values);
}

}  // namespace

Result<> setGenerateLetter(GenerateCommand& command, const std::string& value) {
    if (value.size() != 1 || value.front() < 'A' || value.front() > 'P') {
        return fail("must be one of A B C D E F G H I J K L M N O P, not \"" + value + "\"");
    }
    command.options.generateAsLetter = value;
    return {};
}

Result<> setDensity(GenerateCommand& command, const std::string& value) {
    const auto n = wholeNumber<int>(value);
    if (!n || !contains(kDensityChoices, *n)) {
        return fail("must be one of " + listed(kDensityChoices) + " (percent), not \"" + value + "\"");
    }
    command.options.densityPercent = *n;
    return {};
}

Result<> setAllegiance(GenerateCommand& command, const std::string& value) {
    if (std::find(kAllegianceChoices.begin(), kAllegianceChoices.end(), value) == kAllegianceChoices.end()) {
        return fail("must be one of " + listed(kAllegianceChoices) + ", not \"" + value + "\"");
    }
    command.options.defaultAllegiance = value;
    return {};
}

Result<> setOddAliens(GenerateCommand& command, const std::string& value) {
    const auto n = wholeNumber<int>(value);
    if (!n || !contains(kOddAlienChoices, *n)) {
        return fail("must be one of " + listed(kOddAlienChoices) + " (percent), not \"" + value + "\"");
    }
    command.options.oddAlienPercent = *n;
    return {};
}

Result<> setTechCap(GenerateCommand& command, const std::string& value) {
    const auto n = wholeNumber<int>(value);
    if (!n || *n > kHighestTechCapChoice) {
        return fail("must be a whole number from 0 to " + std::to_string(kHighestTechCapChoice) + ", not \"" + value +
                    "\"");
    }
    command.options.techCap = *n;
    return {};
}

Result<> setFeatureChance(GenerateCommand& command, const std::string& value) {
    auto& features = command.options.featureChances;
    const auto equals = value.find('=');
    const std::string code = value.substr(0, equals);
    const auto feature =
        std::find_if(features.begin(), features.end(), [&](const FeatureChance& f) { return f.code == code; });
    const auto n = equals == std::string::npos ? std::nullopt : wholeNumber<int>(value.substr(equals + 1));
    if (feature == features.end() || !n || *n > 99) {
        std::string codes;
        for (const FeatureChance& f : features) codes += (codes.empty() ? "" : " ") + f.code;
        return fail("must be CODE=N with CODE one of " + codes + " and N a whole number from 0 to 99, not \"" + value +
                    "\"");
    }
    feature->chance = static_cast<float>(*n);
    return {};
}

Result<> setSeed(GenerateCommand& command, const std::string& value) {
    const auto n = wholeNumber<std::uint64_t>(value);
    if (!n) return fail("must be a whole number from 0 to 18446744073709551615, not \"" + value + "\"");
    command.seed = *n;
    return {};
}

void addGenerateCommand(CLI::App& app, CliSession& session) {
    struct Arguments {
        GenerateCommand command;
        std::string letter, density, allegiance, oddAliens, techCap, seed, subsectorName, sectorName;
        std::vector<std::string> chances;
        bool depopulate = false;
    };
    auto args = std::make_shared<Arguments>();
    CLI::App* command =
        app.add_subcommand("generate",
                           "Generate a random subsector; OUT's type by its extension: .sbs, or a sector file (.tab "
                           ".tsv .txt .sec) whose subsector of the letter it becomes, the rest of the file kept");
    command->add_option("OUT", args->command.out, "the file to write")
        ->required()
        ->check(CLI::Validator(outputExtensionCheck({".sbs", ".tab", ".tsv", ".txt", ".sec"}), "OUT", "output type"));
    addLetterOption(*command, args->letter)
        ->description("the subsector letter A to P the names are numbered for (default A)");
    using Setter = Result<> (*)(GenerateCommand&, const std::string&);
    const auto checked = [](Setter set) {
        return CLI::Validator(
            [set](std::string& value) {
                GenerateCommand scratch;
                const Result<> valid = set(scratch, value);
                return valid ? std::string() : valid.error();
            },
            "", "value");
    };
    command->add_option("--density", args->density, "percent of hexes with a system: 4 16 33 50 66 (default 50)")
        ->type_name("N")
        ->check(checked(setDensity));
    command->add_option("--allegiance", args->allegiance, "default allegiance: Im Va Zh As Na Hv (default Im)")
        ->type_name("XX")
        ->check(checked(setAllegiance));
    command
        ->add_option("--odd-aliens", args->oddAliens,
                     "percent chance of an odd alien allegiance: 0 5 ... 50 (default 5)")
        ->type_name("N")
        ->check(checked(setOddAliens));
    command->add_option("--tech-cap", args->techCap, "cap tech levels at N, 0 to 18 (default: no cap)")
        ->type_name("N")
        ->check(checked(setTechCap));
    command->add_flag("--depopulate", args->depopulate, "leave uninhabited any system over the tech cap");
    command->add_option("--chance", args->chances, "percent chance 0 to 99 of a feature: An Rs Pr Ex Mr (default 1)")
        ->type_name("CODE=N")
        ->check(checked(setFeatureChance));
    command->add_option("--subsector-name", args->subsectorName, "the subsector's name")->type_name("T");
    command->add_option("--sector-name", args->sectorName, "the sector's name")->type_name("T");
    command
        ->add_option("--seed", args->seed, "the same seed writes the same file every time (default: a fresh subsector)")
        ->type_name("N")
        ->check(checked(setSeed));
    command->callback([&session, args] {
        GenerateCommand& generate = args->command;
        // Every value passed its check while parsing, so applying it cannot fail.
        if (!args->letter.empty()) (void)setGenerateLetter(generate, args->letter);
        const std::pair<const std::string*, Setter> values[] = {{&args->density, setDensity},
                                                                {&args->allegiance, setAllegiance},
                                                                {&args->oddAliens, setOddAliens},
                                                                {&args->techCap, setTechCap},
                                                                {&args->seed, setSeed}};
        for (const auto& [value, set] : values) {
            if (!value->empty()) (void)set(generate, *value);
        }
        for (const std::string& chance : args->chances) (void)setFeatureChance(generate, chance);
        generate.options.depopulateOverCap = args->depopulate;
        if (!args->subsectorName.empty()) generate.subsectorName = cp1252FromUtf8(args->subsectorName);
        if (!args->sectorName.empty()) generate.sectorName = cp1252FromUtf8(args->sectorName);
        session.status = runGenerate(generate, session.out, session.prompter);
    });
}

int runGenerate(const GenerateCommand& command, std::ostream&, Prompter& prompter) {
    SubsectorStore store;
    if (command.subsectorName) store.subsectorName = *command.subsectorName;
    if (command.sectorName) store.sectorName = *command.sectorName;
    Dice dice = command.seed ? Dice(*command.seed) : Dice();
    generateSubsector(store, command.options, dice);
    store.refreshStatistics();
    if (!isSectorFileName(command.out)) return writeSbsFile(store, prompter, command.out) ? 0 : 2;
    store.subsectorLetter = command.options.generateAsLetter;
    const Result<Notices> saved = replaceSubsectorInSectorFile(command.out, store);
    if (!saved) {
        prompter.message(saved.error(), MessageIcon::Exclamation);
        return 2;
    }
    prompter.tell(*saved);
    return 0;
}

}  // namespace qelvar
