#include "ui/folder_chooser.h"

#include <QDir>
#include <QFileDialog>

// Starts at home (there is no "computer" root here) with nothing chosen.
QString ChooseFolderWithDialog(QWidget* owner, const QString& instruction) {
  QString folder = QFileDialog::getExistingDirectory(owner, instruction, QDir::homePath(),
                                                     QFileDialog::ShowDirsOnly);
  // No trailing separator but the root's.
  return folder.isEmpty() ? folder : QDir::cleanPath(folder);
}
