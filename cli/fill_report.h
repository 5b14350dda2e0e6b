// What kobaru fill says besides its rows and counts, real or dry.
#pragma once

#include <cstdint>

#include "cli/owners.h"

namespace cli {

// The capacity argument of a fill up to the free space.
inline constexpr char FREE_SPACE_ARGUMENT[] = "all";

// Why the run stopped before its budget or the unsent songs ran out, and a
// fill up to the free space that sent every unsent song; on stderr.
void ReportEarlyEnd(const TransferProgress& progress, const Playlist& playlist);

// A run that stopped on a failure, not on the budget, the medium, the
// numbers or a stop request; songs found missing are said and no failure.
bool EndedInFailure(const TransferProgress& progress, int32_t result);

// kobaru fill --dry-run: one possible draw, in order, with the numbers the
// songs would get and the total size; nothing changes.
int RunFillDryRun(Owners& owners, int32_t capacityMb);

}  // namespace cli
