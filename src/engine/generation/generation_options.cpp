#include "generation/generation_options.h"

#include <cmath>

#include "store/text.h"

namespace qelvar {

namespace {

// The number pattern "00": at least two digits, rounded to a whole number.
std::string twoDigitPattern(double value) {
    const double rounded = std::round(value);
    std::string digits = formatWhole(std::fabs(rounded));
    if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
    return rounded < 0 ? "-" + digits : digits;
}

}  // namespace

std::string featureRow(std::string_view code, int chance) {
    std::string row(code.substr(0, 2));
    row.resize(12, ' ');
    row += twoDigitPattern(chance).substr(0, 2);
    row += '%';
    return row;
}

FeatureChance featureOfRow(std::string_view row) {
    return {std::string(row.substr(0, 2)), static_cast<float>(numericValue(columns(row, 13, row.size())))};
}

std::string rowWithChance(std::string_view row, std::string_view answer) {
    std::string changed(row);
    if (answer.empty()) return changed;
    const std::string digits = twoDigitPattern(numericValue(answer)).substr(0, 2);
    if (changed.size() < 14) changed.resize(14, ' ');
    changed.replace(12, 2, digits);
    return changed;
}

}  // namespace qelvar
