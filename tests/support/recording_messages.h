// A UserMessages that records every request and answers from a script.
#pragma once

#include <string>
#include <vector>

#include "platform/user_messages.h"

namespace testing_support {

struct ShownMessage {
  std::string text;
  std::string caption;  // "(app)" for the application's name
  platform::MessageButtons buttons;
  bool secondButtonIsDefault;
  platform::MessageIcon icon;
};

class RecordingMessages : public platform::UserMessages {
 public:
  explicit RecordingMessages(platform::MessageAnswer answer = platform::MessageAnswer::Yes)
      : answer_(answer) {}
  platform::MessageAnswer Show(const platform::MessageRequest& request) override {
    shown.push_back({request.text, request.caption ? request.caption : "(app)", request.buttons,
                     request.secondButtonIsDefault, request.icon});
    events.push_back("show:" + std::string(request.text));
    return request.buttons == platform::MessageButtons::YesNo ? answer_
                                                              : platform::MessageAnswer::Ok;
  }

  std::vector<ShownMessage> shown;
  std::vector<std::string> events;  // shared with the fake view to check the order of steps

 private:
  platform::MessageAnswer answer_;
};

}  // namespace testing_support
