// Message boxes and yes/no questions, as the logic hands them to a front end.
// The window shows them as dialogs; the command line prints and reads them.
#pragma once

namespace platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Stop };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
  const char* text;
  const char* caption;  // nullptr: the application's name
  MessageButtons buttons;
  bool secondButtonIsDefault;  // "No" is the default of every question
  MessageIcon icon;
  bool reportsFailure;  // lets a text front end send it to stderr
};

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  virtual MessageAnswer Show(const MessageRequest& request) = 0;
};

}  // namespace platform
