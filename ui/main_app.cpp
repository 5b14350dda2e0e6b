#include "ui/main_app.h"

#include <QFont>
#include <QLibraryInfo>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <memory>

#include "platform/termination_pipe.h"
#include "ui/main_dialog.h"
#include "ui/main_dialog_template.h"
#include "ui/pictures.h"

namespace {

// Tried in turn; the system's own font when none is installed.
QStringList FontFamilies() { return {"IPAGothic", "VL Gothic", "Noto Sans CJK JP"}; }
constexpr char kStyle[] = "Fusion";
// Qt's own texts (the folder chooser, a line edit's menu) in the language of
// the program's, whatever the user's locale; English when not installed.
constexpr char kQtTexts[] = "qtbase_ja";
constexpr int kExitBySignalBase = 128;

}  // namespace

CMainApp::CMainApp(int& argc, char** argv)
    : QApplication(argc, argv), m_owners(std::make_unique<WindowOwners>()) {
  setStyle(QStyleFactory::create(kStyle));
  QFont face = font();
  face.setFamilies(FontFamilies());
  face.setPointSize(TEMPLATE_POINT_SIZE);
  setFont(face);
  setWindowIcon(ProgramIcon());
  setDesktopFileName(DESKTOP_ENTRY_ID);
  if (m_qtTexts.load(kQtTexts, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(&m_qtTexts);
}

// A kill or a logout stops the window as Escape does: the copy in progress
// is removed and the table saved; then the program ends with 128 + the
// signal's number, as a shell reports a signal.
int CMainApp::InitInstance() {
  CMainDialog dialog(*m_owners);
  int signals = platform::CatchTerminationOnPipe();
  std::unique_ptr<QSocketNotifier> watch;
  int caught = 0;
  if (signals >= 0) {
    watch = std::make_unique<QSocketNotifier>(signals, QSocketNotifier::Read);
    connect(watch.get(), &QSocketNotifier::activated, &dialog, [&] {
      caught = platform::TakeTerminationSignal(signals);
      dialog.reject();
      // A box or window open over it ends too, and none opens after.
      QCoreApplication::exit(kExitBySignalBase + caught);
    });
  }
  dialog.exec();
  return caught != 0 ? kExitBySignalBase + caught : 0;
}
