// The three maintenance flows of the playlist window: one question, one
// edit, one result message (a refusal with its reason), and a refresh of the view.
#pragma once

#include <cstdint>

#include "platform/user_messages.h"
#include "store/playlist.h"

// What a flow needs of the view that runs it.
class PlaylistView {
 public:
  virtual ~PlaylistView() = default;
  // The selected slots (0-based), read only after the user said Yes.
  // Writes at most MAX_ENTRIES slots and returns how many.
  virtual uint32_t ReadSelectedSlots(uint32_t* selected) = 0;
  // Reload and redraw after an edit or a refusal.
  virtual void Refresh() = 0;
};

enum class FlowResult { Declined, Succeeded, Failed };

// Each edits `playlist` as its view shows it.
FlowResult RunMarkAllUntransferredFlow(Playlist& playlist, platform::UserMessages& messages,
                                       PlaylistView& view);
FlowResult RunMarkSelectedUntransferredFlow(Playlist& playlist, platform::UserMessages& messages,
                                            PlaylistView& view);
FlowResult RunExcludeSelectedFlow(Playlist& playlist, platform::UserMessages& messages,
                                  PlaylistView& view);
