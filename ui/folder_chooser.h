// The folder browser of playlist creation and addition: the platform's
// dialog, which a test replaces with its own choice.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Returns the chosen folder without a trailing separator, or an empty
// text when the user cancelled.
using FolderChooser = std::function<QString(QWidget* owner, const QString& instruction)>;

QString ChooseFolderWithDialog(QWidget* owner, const QString& instruction);
