// Starting a program that outlives us. POSIX only.
#pragma once

namespace platform {

// Runs argv[0] (found through PATH) with `argv` (nullptr-terminated) in a
// session of its own, standard streams on /dev/null, no other descriptors
// of ours. Not waited for and no zombie: it is the child of an intermediate
// process that exits at once and is reaped here. False when even that
// process could not be made.
bool LaunchDetached(char* const argv[]);

}  // namespace platform
