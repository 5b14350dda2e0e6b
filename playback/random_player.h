// Random songs from a private copy of the playlist, loaded once a run and
// never saved. Window thread only.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/random_generator.h"
#include "store/playlist_entry.h"

// A test's own draws, 0..RANDOM_MAX, in place of the generator's.
using RandomPlayDraw = std::function<int32_t()>;

class RandomPlayer {
 public:
  // Without `draw`, the player's own generator, seeded from the clock at
  // each load; apart from the transfer's.
  explicit RandomPlayer(RandomPlayDraw draw = nullptr) : draw_(std::move(draw)) {}

  // Draws among the entries in state 0 or 1; a song whose file is gone
  // narrows the draw by one, a found one becomes the chosen song and is
  // marked excluded in the copy. -1 when the first load failed (the chosen
  // song is kept).
  int32_t PickRandomSong();
  // The last chosen song's stored path, NUL-terminated; empty: none.
  const char* ChosenSong() const { return chosenSong; }
  bool SongChosen() const { return chosenSong[0] != '\0'; }
  // The next pick loads kPlayLst.dat afresh, as at start-up.
  void Reload() { randomTableLoads = 0; }
  int32_t Loads() const { return randomTableLoads; }

 private:
  bool LoadOnce();
  int32_t CountCandidates(uint32_t* entries) const;
  uint32_t FindCandidate(uint32_t entries, int32_t rank) const;
  int32_t NextDraw();

  PlaylistTable randomPlayTable{};
  int32_t randomTableLoads = 0;  // 0: not loaded yet
  char chosenSong[PATH_LEN] = {};
  RandomGenerator generator_;
  RandomPlayDraw draw_;
};
