// Message boxes on a terminal: notices to stdout, failures to stderr,
// questions as "text [y/N] " on stderr, answered on stdin.
#pragma once

#include "platform/user_messages.h"
#include "store/playlist.h"

namespace cli {

class ConsoleMessages : public platform::UserMessages {
 public:
  explicit ConsoleMessages(bool assumeYes) : assumeYes_(assumeYes) {}
  platform::MessageAnswer Show(const platform::MessageRequest& request) override;
  bool TellsReasonsItself() const override { return true; }  // ReportPlaylistFailure

 private:
  bool assumeYes_;
};

// Says on stderr why the last operation on kPlayLst.dat failed: "kobaru:
// cannot write kPlayLst.dat: Permission denied", or that another program is
// changing it. Nothing when no reason was recorded.
void ReportPlaylistFailure(const Playlist& playlist);

// True when kPlayLst.dat exists here; else says on stderr that there is no
// playlist in this folder.
bool RequirePlaylist();

// Prints `question` on stderr with " [y/N] " and reads the answer: only y or yes, in
// any case, is Yes. `assumeYes` answers without asking.
bool AskYes(const char* question, bool assumeYes);

}  // namespace cli
