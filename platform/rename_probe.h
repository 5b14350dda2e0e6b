// Whether a folder's medium gives files new names at all.
#pragma once

#include "platform/medium_refusals.h"

namespace platform {

// Creates a hidden file in `folder`, renames it and removes it. True when
// the rename was refused as unsupported (IsRefusal), as phones seen through
// media-transfer mounts do; false when it worked, and when not even the
// file could be made (the copies then fail for that reason). The probe's
// files carry the temporary copies' prefix, so a killed probe's are
// removed like theirs.
bool RefusesRename(int folder, const MediumRefusals& refusals = {});

}  // namespace platform
