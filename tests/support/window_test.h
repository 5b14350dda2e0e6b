// What the windows' tests share beside the core's: Qt Test, recorded
// message boxes, and the main window over fresh owners.
#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "tests/support/core_test.h"
#include "tests/support/recording_messages.h"
#include "ui/main_dialog.h"
#include "ui/window_owners.h"

class MainWindowTest : public ::testing::Test {
 protected:
  CMainDialog& Open() {  // a new window each time, shown
    dialog_.reset();
    dialog_ = std::make_unique<CMainDialog>(*owners_, &messages_);
    dialog_->show();
    return *dialog_;
  }
  QPushButton* Button(const char* name) { return dialog_->findChild<QPushButton*>(name); }
  void Press(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }

  TempFolder folder_;
  RecordingMessages messages_;
  std::unique_ptr<WindowOwners> owners_ = std::make_unique<WindowOwners>();
  std::unique_ptr<CMainDialog> dialog_;
};
