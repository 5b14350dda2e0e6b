// A message front end that remembers what it was asked to show.
#pragma once

#include <string>
#include <vector>

#include "platform/user_messages.h"

namespace testing_support {

struct RecordedMessage {
  std::string text;
  std::string caption;  // empty: the application's name
  platform::MessageIcon icon;
};

class RecordedMessages : public platform::UserMessages {
 public:
  platform::MessageAnswer Show(const platform::MessageRequest& request) override {
    shown.push_back({request.text, request.caption != nullptr ? request.caption : "", request.icon});
    return request.buttons == platform::MessageButtons::YesNo ? answer : platform::MessageAnswer::Ok;
  }
  std::vector<RecordedMessage> shown;
  platform::MessageAnswer answer = platform::MessageAnswer::Yes;
};

}  // namespace testing_support
