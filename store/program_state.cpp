#include "store/program_state.h"

#include <cstring>

#include "playback/continuous_play.h"
#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/presence_flags.h"
#include "store/search_worker.h"
#include "store/table_images.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_run.h"

void ResetProgramState() {
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  std::memset(&g_scanResultTable, 0, sizeof g_scanResultTable);
  std::memset(&g_randomPlayTable, 0, sizeof g_randomPlayTable);
  g_entryCount = 0;
  ResetWantedExtension();
  std::memset(g_foundExtension, 0, sizeof g_foundExtension);
  std::memset(g_chosenFolder, 0, sizeof g_chosenFolder);
  g_addMode = 0;
  g_searchStatus = SEARCH_NONE;
  g_searchStopRequested = false;
  ClearPlaylistFailure();
  g_playlistPresent = 0;
  g_targetFolderPresent = 0;

  g_transferStopRequested = false;
  g_transferProgress.status = TRANSFER_IDLE;
  g_transferProgress.capacityMb = 0;
  g_transferProgress.bytesCopied = 0;
  g_transferProgress.songsCopied = 0;
  g_transferProgress.songsMissing = 0;
  g_transferProgress.bytesInCurrentCopy = 0;
  g_transferProgress.endReason = END_COMPLETE;
  g_transferProgress.endError = 0;
  g_transferProgress.endSlot = 0;
  g_transferProgress.lastRow.Publish("");
  ResetPlaybackState();
}
