#include "file_error_box.h"

#include "error_message.h"

#include <QMessageBox>

void showErrorMessage(QWidget* parent, const QString& title, const ErrorMessage& message)
{
    QMessageBox box(QMessageBox::Warning, title, message.summary, QMessageBox::Ok, parent);
    if (!message.details.isEmpty())
        box.setDetailedText(message.details);
    box.exec();
}
