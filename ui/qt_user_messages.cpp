#include "ui/qt_user_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/ui_texts.h"

using platform::MessageAnswer;

MessageAnswer QtUserMessages::Show(const platform::MessageRequest& request) {
  QMessageBox box(parent_);
  box.setWindowTitle(request.caption != nullptr ? QString::fromUtf8(request.caption)
                                                : QApplication::applicationName());
  box.setText(QString::fromUtf8(request.text));
  box.setIcon(request.icon == platform::MessageIcon::Stop ? QMessageBox::Critical
                                                          : QMessageBox::NoIcon);
  if (request.buttons == platform::MessageButtons::Ok) {
    box.setDefaultButton(box.addButton(QString::fromUtf8(TEXT_OK), QMessageBox::AcceptRole));
    box.exec();
    return MessageAnswer::Ok;
  }
  QPushButton* yes = box.addButton(QString::fromUtf8(TEXT_YES), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QString::fromUtf8(TEXT_NO), QMessageBox::NoRole);
  box.setDefaultButton(request.secondButtonIsDefault ? no : yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
}
