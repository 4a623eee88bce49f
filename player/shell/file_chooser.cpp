#include "file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// A pattern of a filter, "*.jzt", with the extension captured.
const QRegularExpression& extensionPattern()
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern;
}

QString startFolder(const QString& start)
{
    const QFileInfo info(start);
    return info.isDir() ? start : info.absolutePath();
}

// Runs a dialog whose filter shows only its description, since the patterns
// it matches by are the any-case forms.
QString runDialog(QWidget* parent, const QString& title, const QString& start, const QString& filter,
                  QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(anyCaseFilter(filter));
    // A name typed without an extension gets the filter's, before the
    // dialog checks whether it would overwrite a file.
    if (mode == QFileDialog::AcceptSave)
        dialog.setDefaultSuffix(extensionPattern().match(filter).captured(1));
    dialog.setDirectory(start.isEmpty() ? QString() : startFolder(start));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString anyCaseFilter(const QString& filter)
{
    QString result;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& m : extensionPattern().globalMatch(filter)) {
        result += filter.mid(last, m.capturedStart() - last);
        result += QStringLiteral("*.");
        for (const QChar c : m.captured(1))
            result += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
        last = m.capturedEnd();
    }
    return result + filter.mid(last);
}

QString DialogFileChooser::openFile(QWidget* parent, const QString& title, const QString& start,
                                    const QString& filter)
{
    return runDialog(parent, title, start, filter, QFileDialog::AcceptOpen);
}

QString DialogFileChooser::saveFile(QWidget* parent, const QString& title, const QString& start,
                                    const QString& filter)
{
    return runDialog(parent, title, start, filter, QFileDialog::AcceptSave);
}
