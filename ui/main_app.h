// The application: its look (Fusion, a Japanese font, the program's icon),
// Qt's own texts in Japanese, the state every window works on, and the main
// window, whose end is the program's end.
#pragma once

#include <QApplication>
#include <QTranslator>
#include <memory>

#include "ui/window_owners.h"

// The installed desktop entry's name, so that a desktop ties the window to
// its launcher and icon.
inline constexpr char DESKTOP_ENTRY_ID[] = "io.github.kobaru.KobaruMp3";

class CMainApp : public QApplication {
 public:
  // The application's name stays the executable's base name: the caption
  // of every message box without one.
  CMainApp(int& argc, char** argv);
  // Runs the main window until it closes.
  int InitInstance();
  WindowOwners& Owners() { return *m_owners; }

 private:
  QTranslator m_qtTexts;
  // Created once, before any window, and kept until the program ends.
  std::unique_ptr<WindowOwners> m_owners;
};
