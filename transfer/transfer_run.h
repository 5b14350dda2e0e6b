// One transfer run: random unsent songs copied into kMp3 up to a budget.
#pragma once

#include <atomic>
#include <cstdint>

// Told of every copy as it completes, on the worker thread, after the row
// is published and the counts are updated. `row` is valid during the call.
struct TransferObserver {
  void (*onCopied)(void* context, const char* row);
  void* context;
};

// Set from any thread to end a running run early: a copy in progress is
// abandoned and removed, and the run ends as if no unsent song were left,
// saving the table. Cleared by PrepareTransfer.
extern std::atomic<bool> g_transferStopRequested;

// The starter's side, before the worker starts: capacity, bytesCopied 0,
// no stop request, and status Running.
void PrepareTransfer(int32_t capacityMb);

// One run on g_workingTable, with g_transferProgress.capacityMb. Returns -1
// when kPlayLst.dat can't be read (nothing is copied or written), else the
// result of saving it back (0, or -1 on failure). Works on kPlayLst.dat and
// kMp3 in the current folder.
int32_t RunTransfer(const TransferObserver* observer = nullptr);

// The worker thread's entry. `observer` is a TransferObserver or null (the
// window passes null). Zeroes the song counts, runs RunTransfer and sets the
// status to Finished as its last act; returns RunTransfer's result.
int32_t TransferThreadProc(void* observer);
