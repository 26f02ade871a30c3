#pragma once
// qelvar-cli generate: a random subsector written to a file, with the options of the options window.
// Qt-free. With a seed the same command writes the same bytes every time, on every machine.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "generation/generation_options.h"
#include "store/result.h"

namespace qelvar {

class Prompter;

struct GenerateCommand {
    std::string out;  // by extension: .sbs
    GenerationOptions options;
    std::optional<std::string> subsectorName;
    std::optional<std::string> sectorName;
    std::optional<std::uint64_t> seed;  // none: a fresh subsector every run
};

// The option checks (also used by the parser, so a bad value is a usage error). Each applies a valid value to the
// command, or fails with the usage error naming the allowed values and leaves the command as it
// was.
[[nodiscard]] Result<> setGenerateLetter(GenerateCommand& command, const std::string& value);
[[nodiscard]] Result<> setDensity(GenerateCommand& command, const std::string& value);
[[nodiscard]] Result<> setAllegiance(GenerateCommand& command, const std::string& value);
[[nodiscard]] Result<> setOddAliens(GenerateCommand& command, const std::string& value);
[[nodiscard]] Result<> setTechCap(GenerateCommand& command, const std::string& value);
[[nodiscard]] Result<> setFeatureChance(GenerateCommand& command, const std::string& value);  // CODE=N
[[nodiscard]] Result<> setSeed(GenerateCommand& command, const std::string& value);

// Generates and writes the file; 0 when written, 2 when the file could not be written (reported
// through the prompter).
[[nodiscard]] int runGenerate(const GenerateCommand& command, std::ostream& out, Prompter& prompter);

}  // namespace qelvar
