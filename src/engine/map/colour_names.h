#pragma once
// Colours as metadata files write them: "#rrggbb", or one of the usual web colour names in any letter case
// ("SaddleBrown", "lightblue").

#include <optional>
#include <string_view>

#include "seams/surface.h"

namespace qelvar {

std::optional<Rgb> parseColourText(std::string_view text);

}  // namespace qelvar
