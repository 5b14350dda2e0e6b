// Edits that put songs back into the pool of unsent songs or take them out.
// Each rewrites the whole of kPlayLst.dat; none adds, removes or moves a record.
#pragma once

#include <cstdint>

// Loads kPlayLst.dat, sets every slot not excluded to untransferred and
// clears every transfer number, then saves. False when it could not read or
// write the file.
bool MarkAllUntransferred();

// Sets the given 0-based slots of g_workingTable (as last loaded) to
// untransferred with no transfer number, whatever their state, then saves.
bool MarkEntriesUntransferred(const uint32_t* chosen, uint32_t chosenCount);

// Sets the given slots of g_workingTable to excluded, keeping their numbers,
// then saves.
bool ExcludeEntries(const uint32_t* chosen, uint32_t chosenCount);
