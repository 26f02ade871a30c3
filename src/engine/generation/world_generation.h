#pragma once
// Random subsector generation: hex by hex, whether a system is present, then its starport, physical and
// social profile, tech level, bases, stars, PAG figures, travel zone, remarks and special features.
// Every number comes from the dice; the rules vary by allegiance ("Hv", "As", "Va", "Zh", "Dr" and "Ch"
// have their own, every other code follows the common rules).

namespace qelvar {

class Dice;
class Prompter;
class SubsectorStore;
struct GenerationOptions;

// Replaces the whole subsector with a random one: clears every slot, sets the subsector letter to
// generateAsLetter, and rolls hexes 1 to 80. The names are left alone and the
// statistics are the caller's to refresh.
void generateSubsector(SubsectorStore& store, const GenerationOptions& options, Dice& dice);

// The lowest tech level a world can live with on its atmosphere; 0 when there is none.
int environmentalMinimum(int atmosphere);

// The "Generate" button: asks "You have unsaved changes, are you sure?" when there are unsavedChanges and
// stops on No (returning false, the store untouched); otherwise generates under the busy pointer.
bool generateOnRequest(SubsectorStore& store, const GenerationOptions& options, Dice& dice, Prompter& prompter,
                       bool unsavedChanges);

}  // namespace qelvar
