// The state the windows work on, created once by the application and
// passed by reference to every window that needs it.
#pragma once

#include "playback/continuous_play.h"
#include "playback/random_player.h"
#include "store/playlist.h"
#include "store/playlist_row.h"
#include "store/search_job.h"
#include "transfer/transfer_job.h"

struct WindowOwners {
  // `transfer` and `draw` are the seams a test sets; the defaults are the
  // program's own.
  explicit WindowOwners(TransferOptions transferOptions = {}, RandomPlayDraw draw = nullptr)
      : transfer(playlist, transferOptions), player(std::move(draw)) {}

  Playlist playlist;
  SearchJob search{playlist};
  TransferJob transfer;
  RandomPlayer player;
  ContinuousPlay continuous{playlist, player};
  RowSorter sorter;  // the playlist window's sorted list
};
