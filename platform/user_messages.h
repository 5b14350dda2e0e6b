// Message boxes and yes/no questions, as the logic hands them to a front end.
// The window shows them as dialogs; the command line prints and reads them.
#pragma once

namespace platform {

inline constexpr char CAPTION_CONFIRM[] = "確認";
inline constexpr char CAPTION_ERROR[] = "エラー";

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

// A success or notice: caption "確認", no icon.
constexpr MessageRequest Notice(const char* text) {
  return {text, CAPTION_CONFIRM, MessageButtons::Ok, false, MessageIcon::None, false};
}
// A failure: caption "エラー", the stop icon.
constexpr MessageRequest Failure(const char* text) {
  return {text, CAPTION_ERROR, MessageButtons::Ok, false, MessageIcon::Stop, true};
}
// Under the application's name, without an icon; `failed` only tells a text
// front end where it goes.
constexpr MessageRequest PlainMessage(const char* text, bool failed = false) {
  return {text, nullptr, MessageButtons::Ok, false, MessageIcon::None, failed};
}
// A question before an edit: Yes/No with No as the default.
constexpr MessageRequest Question(const char* text, const char* caption) {
  return {text, caption, MessageButtons::YesNo, true, MessageIcon::None, false};
}

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  virtual MessageAnswer Show(const MessageRequest& request) = 0;
  // True for a front end that tells the reason of a failure in its own
  // words after the failure's message; the others get it in the message.
  virtual bool TellsReasonsItself() const { return false; }
  bool Ask(const MessageRequest& question) { return Show(question) == MessageAnswer::Yes; }
};

}  // namespace platform
