// What kobaru fill says besides its rows and counts, real or dry.
#pragma once

#include <cstdint>

#include "cli/owners.h"

namespace cli {

// The capacity argument of a fill up to the free space.
inline constexpr char FREE_SPACE_ARGUMENT[] = "all";

// Why the run stopped before its budget or the unsent songs ran out, and a
// fill up to the free space that sent every unsent song; on stderr. A dry
// run's words say what a fill would do.
void ReportEarlyEnd(const TransferProgress& progress, const Playlist& playlist, bool dryRun);

// A run refused before its first draw (kMp3 missing or a link, an unknown
// free space): there is no count to show.
bool RefusedBeforeAnySong(const TransferProgress& progress);

// A run that stopped on a failure, not on the budget, the medium, the
// numbers or a stop request; songs found missing are said and no failure.
bool EndedInFailure(const TransferProgress& progress, int32_t result);

// kobaru fill --dry-run: one possible draw, in order, with the numbers the
// songs would get and the total size; nothing changes.
int RunFillDryRun(Owners& owners, int32_t capacityMb);

}  // namespace cli
