#pragma once

#include <QString>

#include <exception>

#include "format_error.h"

// The error in the user's language: the code's sentence with its arguments,
// followed by the error underneath when there is one. It is the technical
// account, which a message box shows as the details of its plain summary
// (error_message.h).
QString errorText(const jigsaw::FormatError& error);

// The same for any exception a file command may end with; one that is not a
// FormatError shows what it says of itself.
QString errorText(const std::exception& error);
