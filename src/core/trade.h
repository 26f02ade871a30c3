#pragma once
// Trade classifications and the cargo base price, from the numeric UWP values.

namespace qelvar {

class SubsectorStore;

// Writes tradeCodes and cargoBase of worlds[workIndex] from uwpValues.
void classifyTrade(SubsectorStore& store);

}  // namespace qelvar
