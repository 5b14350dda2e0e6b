// The state the companion's verbs work on, created once by main and handed
// to the one verb it runs.
#pragma once

#include "playback/continuous_play.h"
#include "playback/random_player.h"
#include "store/playlist.h"
#include "store/playlist_row.h"
#include "store/search_job.h"
#include "transfer/transfer_job.h"

namespace cli {

struct Owners {
  Playlist playlist;
  SearchJob search{playlist};
  TransferJob transfer{playlist};
  RandomPlayer player;
  ContinuousPlay continuous{playlist, player};
  RowSorter sorter;
};

}  // namespace cli
