#include "save_prompt.h"

#include <QMessageBox>
#include <QPushButton>

bool askToSaveChanges(QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("データの変更を保存する"));
    box.setText(QStringLiteral("データが変更されました。保存しますか？"));
    box.setIcon(QMessageBox::Question);
    QPushButton* yes = box.addButton(QStringLiteral("はい"), QMessageBox::AcceptRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
