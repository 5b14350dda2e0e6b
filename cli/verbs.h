// Each verb of kobaru takes its own arguments (argv[2..]) and returns the
// exit status.
#pragma once

namespace cli {

int RunCreate(int argc, char** argv);
int RunAdd(int argc, char** argv);
int RunList(int argc, char** argv);
int RunStats(int argc, char** argv);
int RunResetAll(int argc, char** argv);
int RunReset(int argc, char** argv);
int RunExclude(int argc, char** argv);
int RunMkdir(int argc, char** argv);
int RunFill(int argc, char** argv);
int RunSeconds(int argc, char** argv);
int RunPlay(int argc, char** argv);
int RunStartup(int argc, char** argv);

}  // namespace cli
