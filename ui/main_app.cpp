#include "ui/main_app.h"

#include <QFont>
#include <QLibraryInfo>
#include <QStyleFactory>

#include "ui/main_dialog.h"
#include "ui/main_dialog_template.h"
#include "ui/pictures.h"

namespace {

// Tried in turn; the system's own font when none is installed.
const QStringList kFontFamilies = {"IPAGothic", "VL Gothic", "Noto Sans CJK JP"};
constexpr char kStyle[] = "Fusion";
// Qt's own texts (the folder chooser, a line edit's menu) in the language of
// the program's, whatever the user's locale; English when not installed.
constexpr char kQtTexts[] = "qtbase_ja";

}  // namespace

CMainApp::CMainApp(int& argc, char** argv) : QApplication(argc, argv) {
  setStyle(QStyleFactory::create(kStyle));
  QFont face = font();
  face.setFamilies(kFontFamilies);
  face.setPointSize(TEMPLATE_POINT_SIZE);
  setFont(face);
  setWindowIcon(ProgramIcon());
  setDesktopFileName(DESKTOP_ENTRY_ID);
  if (m_qtTexts.load(kQtTexts, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(&m_qtTexts);
}

int CMainApp::InitInstance() {
  CMainDialog dialog;
  dialog.exec();
  return 0;
}
