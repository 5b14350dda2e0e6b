#include "ui/folder_chooser.h"

#include <QDir>
#include <QFileDialog>

namespace {

// Starts at home (there is no "computer" root here) with nothing chosen.
QString ChooseWithDialog(QWidget* owner, const QString& instruction) {
  QString folder = QFileDialog::getExistingDirectory(owner, instruction, QDir::homePath(),
                                                     QFileDialog::ShowDirsOnly);
  // No trailing separator but the root's.
  return folder.isEmpty() ? folder : QDir::cleanPath(folder);
}

FolderChooser& Chooser() {
  static FolderChooser chooser = ChooseWithDialog;
  return chooser;
}

}  // namespace

QString ChooseFolder(QWidget* owner, const char* instruction) {
  return Chooser()(owner, QString::fromUtf8(instruction));
}

void SetFolderChooser(FolderChooser chooser) {
  Chooser() = chooser ? std::move(chooser) : ChooseWithDialog;
}
