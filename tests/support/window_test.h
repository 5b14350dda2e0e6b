// What the windows' tests share beside the core's: Qt Test, recorded
// message boxes, the main window over fresh owners, and scripts for the
// modal windows it opens.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "tests/support/core_test.h"
#include "tests/support/recording_messages.h"
#include "ui/extension_dlg.h"
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

// Runs `script` once a modal window of type W is up, inside its loop.
template <typename W>
void WhenOpen(std::function<void(W&)> script) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, script] {
    auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
    if (window == nullptr) return;
    timer->stop();
    timer->deleteLater();
    script(*window);
  });
  timer->start(10);
}

inline void Click(QWidget& window, const char* text) {
  for (auto* button : window.findChildren<QPushButton*>())
    if (button->text() == text) QTest::mouseClick(button, Qt::LeftButton);
}

// Answers the extension prompt with `extension`; an empty one is refused
// and the prompt keeps its default for a second try.
inline void Enter(const char* extension) {
  WhenOpen<CExtensionDialog>([extension](CExtensionDialog& prompt) {
    auto* edit = prompt.findChild<QLineEdit*>();
    if (*extension == '\0') {
      edit->clear();
      Click(prompt, "OK");
      EXPECT_TRUE(edit->isEnabled());
      EXPECT_EQ(edit->text(), "mp3");
    }
    edit->setText(*extension ? extension : "MP3 x");
    Click(prompt, "OK");
  });
}
