// Message boxes as the platform shows them: はい / いいえ and OK, the stop
// icon for failures, No the default of every question.
#pragma once

#include "platform/user_messages.h"

class QWidget;

class QtUserMessages : public platform::UserMessages {
 public:
  explicit QtUserMessages(QWidget* parent) : parent_(parent) {}
  platform::MessageAnswer Show(const platform::MessageRequest& request) override;

 private:
  QWidget* parent_;
};
