// Every global of the core back to its start value, as at program start:
// for a test that runs many cases in one process. No worker may be running.
#pragma once

void ResetProgramState();
