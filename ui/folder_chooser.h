// The folder browser of playlist creation and addition: one function,
// which tests replace with their own choice.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Returns the chosen folder without a trailing separator, or an empty
// text when the user cancelled.
using FolderChooser = std::function<QString(QWidget* owner, const QString& instruction)>;

QString ChooseFolder(QWidget* owner, const char* instruction);
// Null puts the platform's folder dialog back.
void SetFolderChooser(FolderChooser chooser);
