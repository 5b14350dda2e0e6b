// One transfer run: random unsent songs copied into kMp3 up to a budget.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/folder_lock.h"

// Told of every copy as it completes, on the worker thread, after the song
// is on record in kPlayLst.dat and the counts are updated. `row` is valid
// during the call. `onRefused` (optional) hears of each song not sent
// because its file belongs to the system (/proc, /sys...): it is counted
// as missing, like a song whose file is gone.
struct TransferObserver {
  void (*onCopied)(void* context, const char* row);
  void* context;
  void (*onRefused)(void* context, uint32_t slot) = nullptr;
};

// Set from any thread to end a running run early: a copy in progress is
// abandoned and removed, and the run ends as if no unsent song were left,
// saving the table. Cleared by PrepareTransfer.
extern std::atomic<bool> g_transferStopRequested;

// The starter's side, before the worker starts: capacity, bytesCopied 0,
// no stop request, and status Running.
void PrepareTransfer(int32_t capacityMb);

// One run on g_workingTable, with g_transferProgress.capacityMb, under the
// working folder's lock (taken here unless `heldLock` holds it already).
// Every copy is put on record in kPlayLst.dat as soon as it has its final
// name, and the whole table is saved at the end, both only while
// kPlayLst.dat is still the file the run loaded. Returns -1 when
// kPlayLst.dat can't be locked or read (nothing is copied or written),
// else the result of the final save (0, or -1 on failure). Sets the end
// fields of g_transferProgress; the first reason to end is kept. Works in
// the current folder, through one handle of it and one of kMp3, which is
// never a link.
int32_t RunTransfer(const TransferObserver* observer = nullptr,
                    const platform::FolderLock* heldLock = nullptr);

// The worker thread's body: zeroes the song counts, runs RunTransfer,
// releases `heldLock` (when given) once the table is saved, and sets the
// status to Finished as its last act; returns RunTransfer's result.
int32_t TransferThreadProc(const TransferObserver* observer, platform::FolderLock* heldLock);
