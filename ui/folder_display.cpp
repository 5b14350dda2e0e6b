#include "ui/folder_display.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QUrl>
#include <cstdlib>

#include "store/playlist_entry.h"
#include "transfer/target_folder_opener.h"
#include "ui/main_app.h"

namespace {

constexpr char kFileManagerService[] = "org.freedesktop.FileManager1";
constexpr char kFileManagerPath[] = "/org/freedesktop/FileManager1";
constexpr char kShowFolders[] = "ShowFolders";
// Long enough for a file manager that D-Bus has to start first.
constexpr int kFileManagerTimeoutMs = 5000;
constexpr int kHandlerQueryTimeoutMs = 2000;

bool AskFileManager(const QString& folderUri) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(kFileManagerService, kFileManagerPath,
                                                     kFileManagerService, kShowFolders);
  call << QStringList{folderUri} << QString();
  return bus.call(call, QDBus::BlockWithGui, kFileManagerTimeoutMs).type() ==
         QDBusMessage::ReplyMessage;
}

QString FolderHandler() {
  QProcess query;
  query.start("xdg-mime", {"query", "default", "inode/directory"});
  if (!query.waitForFinished(kHandlerQueryTimeoutMs)) return {};
  return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
}

}  // namespace

FolderWays DesktopFolderWays() { return {OpenFolderWith, AskFileManager, FolderHandler}; }

bool ShowTargetFolder(const FolderWays& ways) {
  char folder[PATH_LEN + 1];
  TargetFolderPath(folder, sizeof folder);
  if (const char* command = std::getenv(FILE_MANAGER_VARIABLE)) return ways.run(command, folder);
  if (ways.askFileManager(QUrl::fromLocalFile(QString::fromUtf8(folder)).toString())) return true;
  if (ways.folderHandler() == QString::fromLatin1(DESKTOP_ENTRY_ID) + ".desktop") return false;
  return ways.run(nullptr, folder);
}
