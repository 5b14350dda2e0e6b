// The application: its look (Fusion, a Japanese font, the program's icon),
// Qt's own texts in Japanese, and the main window, whose end is the
// program's end.
#pragma once

#include <QApplication>
#include <QTranslator>

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

 private:
  QTranslator m_qtTexts;
};
