// Each verb of kobaru takes the owners and its own arguments (argv[2..])
// and returns the exit status.
#pragma once

#include "cli/owners.h"

namespace cli {

int RunCreate(Owners& owners, int argc, char** argv);
int RunAdd(Owners& owners, int argc, char** argv);
int RunList(Owners& owners, int argc, char** argv);
int RunStats(Owners& owners, int argc, char** argv);
int RunResetAll(Owners& owners, int argc, char** argv);
int RunReset(Owners& owners, int argc, char** argv);
int RunExclude(Owners& owners, int argc, char** argv);
int RunMkdir(Owners& owners, int argc, char** argv);
int RunFill(Owners& owners, int argc, char** argv);
int RunSeconds(Owners& owners, int argc, char** argv);
int RunPlay(Owners& owners, int argc, char** argv);
int RunStartup(Owners& owners, int argc, char** argv);

}  // namespace cli
