// What kobaru create and add say, on stderr, about the songs and folders a
// scan left out. The exit status does not change for them.
#pragma once

#include "store/playlist_entry.h"
#include "store/search_job.h"

namespace cli {

// From here on, each folder the search leaves out is said as it is met.
void WatchLeftOutFolders(SearchJob& search);

// After the search (and an addition's append): the songs past the 4000
// limit, the paths stored cut in `found`, and a search that found nothing.
void ReportLeftOutSongs(SearchJob& search, const PlaylistTable& found, const char* folder);

}  // namespace cli
