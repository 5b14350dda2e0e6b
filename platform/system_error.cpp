#include "platform/system_error.h"

#include <cstring>

namespace platform {

const char* ErrorText(int error) {
  const char* text = strerrordesc_np(error);
  return text != nullptr ? text : "Unknown error";
}

}  // namespace platform
