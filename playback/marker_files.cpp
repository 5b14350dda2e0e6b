#include "playback/marker_files.h"

#include "platform/empty_file.h"
#include "store/store_texts.h"

bool SetStartUpMarker(bool on) {
  return on ? platform::CreateEmptyFile(STARTUP_MARKER_NAME)
            : platform::DeleteExistingFile(STARTUP_MARKER_NAME);
}

void ReportMarkerFailure(platform::UserMessages& messages) {
  messages.Show({TEXT_MARKER_FAILED, CAPTION_ERROR, platform::MessageButtons::Ok, false,
                 platform::MessageIcon::Stop, true});
}
