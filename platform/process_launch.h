// Starting a program that outlives us. POSIX only.
#pragma once

namespace platform {

// Runs argv[0] (found through PATH) with `argv` (nullptr-terminated) in a
// session of its own, standard streams on /dev/null, no other descriptors
// of ours. Not waited for and no zombie: it is the child of an intermediate
// process that exits once the program runs and is reaped here. False when
// the program could not be started (not found, not executable).
bool LaunchDetached(char* const argv[]);

}  // namespace platform
