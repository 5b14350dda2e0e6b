#include "playback/marker_files.h"

#include "platform/empty_file.h"

bool SetStartUpMarker(bool on) {
  return on ? platform::CreateEmptyFile(STARTUP_MARKER_NAME)
            : platform::DeleteExistingFile(STARTUP_MARKER_NAME);
}

void ReportMarkerFailure(platform::UserMessages& messages) {
  messages.Show(platform::Failure(TEXT_MARKER_FAILED));
}
