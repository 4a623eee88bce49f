#include "save_prompt.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

bool askToSaveChanges(QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(QCoreApplication::translate("SavePrompt", "データの変更を保存する"));
    box.setText(QCoreApplication::translate("SavePrompt", "データが変更されました。保存しますか？"));
    box.setIcon(QMessageBox::Question);
    QPushButton* yes = box.addButton(QCoreApplication::translate("SavePrompt", "はい"), QMessageBox::AcceptRole);
    QPushButton* no = box.addButton(QCoreApplication::translate("SavePrompt", "いいえ"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
