// The application: its look (Fusion, a Japanese font, the program's icon),
// the state every window works on, and the main window, whose end is the
// program's end.
#pragma once

#include <QApplication>
#include <memory>

#include "ui/window_owners.h"

class CMainApp : public QApplication {
 public:
  // The application's name stays the executable's base name: the caption
  // of every message box without one.
  CMainApp(int& argc, char** argv);
  // Runs the main window until it closes.
  int InitInstance();
  WindowOwners& Owners() { return *m_owners; }

 private:
  // Created once, before any window, and kept until the program ends.
  std::unique_ptr<WindowOwners> m_owners;
};
