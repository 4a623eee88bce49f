#pragma once

#include <QString>

struct ErrorMessage;
class QWidget;

// A modal warning titled `title` with the message's summary as its text and
// its details behind the box's details button.
void showErrorMessage(QWidget* parent, const QString& title, const ErrorMessage& message);
