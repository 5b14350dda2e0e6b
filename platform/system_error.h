// The system's error codes as a person reads them.
#pragma once

namespace platform {

// "Permission denied" for EACCES and so on, in English whatever the locale;
// never null.
const char* ErrorText(int error);

}  // namespace platform
