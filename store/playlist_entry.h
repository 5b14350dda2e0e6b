// One song of the playlist and the fixed table of them, laid out byte for
// byte as kPlayLst.dat stores them (little-endian, no padding, no header).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

inline constexpr size_t PATH_LEN = 260;
inline constexpr size_t RECORD_SIZE = 268;
inline constexpr uint32_t MAX_ENTRIES = 4000;
inline constexpr size_t TABLE_BYTES = MAX_ENTRIES * RECORD_SIZE;  // 1,072,000

enum EntryState : uint16_t {
  STATE_UNTRANSFERRED = 0,
  STATE_TRANSFERRED = 1,
  STATE_SOURCE_MISSING = 2,
  STATE_PATH_TOO_LONG = 3,
  STATE_EXCLUDED = 4,
};

struct PlaylistEntry {
  uint16_t state;           // an EntryState; a foreign file may hold any value
  uint16_t transferNumber;  // 0 = none, else NNNN of kMp3/NNNN.ext
  char path[PATH_LEN];      // every separator doubled; terminated inside the field
                            // when the scan wrote it, but not trusted to be
  uint32_t fileSize;        // low 32 bits of the size the scan saw
};

struct PlaylistTable {
  PlaylistEntry entries[MAX_ENTRIES];
};

static_assert(std::endian::native == std::endian::little, "records are stored little-endian");
static_assert(offsetof(PlaylistEntry, state) == 0);
static_assert(offsetof(PlaylistEntry, transferNumber) == 2);
static_assert(offsetof(PlaylistEntry, path) == 4);
static_assert(offsetof(PlaylistEntry, fileSize) == 264);
static_assert(sizeof(PlaylistEntry) == RECORD_SIZE);
static_assert(sizeof(PlaylistTable) == TABLE_BYTES);

inline bool IsEmptySlot(const PlaylistEntry& entry) { return entry.path[0] == '\0'; }
