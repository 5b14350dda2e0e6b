#include "ui/main_app.h"

#include <QFont>
#include <QStyleFactory>

#include "ui/main_dialog.h"
#include "ui/main_dialog_template.h"
#include "ui/pictures.h"

namespace {

// Tried in turn; the system's own font when none is installed.
QStringList FontFamilies() { return {"IPAGothic", "VL Gothic", "Noto Sans CJK JP"}; }
constexpr char kStyle[] = "Fusion";
// The installed desktop entry's name, so that a desktop ties the window to
// its launcher and icon.
constexpr char kDesktopEntry[] = "io.github.kobaru.KobaruMp3";

}  // namespace

CMainApp::CMainApp(int& argc, char** argv)
    : QApplication(argc, argv), m_owners(std::make_unique<WindowOwners>()) {
  setStyle(QStyleFactory::create(kStyle));
  QFont face = font();
  face.setFamilies(FontFamilies());
  face.setPointSize(TEMPLATE_POINT_SIZE);
  setFont(face);
  setWindowIcon(ProgramIcon());
  setDesktopFileName(kDesktopEntry);
}

int CMainApp::InitInstance() {
  CMainDialog dialog(*m_owners);
  dialog.exec();
  return 0;
}
