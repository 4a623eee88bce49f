#include "file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

// A pattern of a filter, "*.jzt", with the extension captured.
const QRegularExpression& extensionPattern()
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern;
}

// Of several filters joined by ";;", the one with the same description as
// `shown` (the dialog shows and reports the any-case forms); else the first.
QString filterNamed(const QString& filters, const QString& shown)
{
    const QStringList all = filters.split(QStringLiteral(";;"));
    const QString description = shown.section(QLatin1Char('('), 0, 0).trimmed();
    for (const QString& f : all)
        if (f.section(QLatin1Char('('), 0, 0).trimmed() == description)
            return f;
    return all.constFirst();
}

// Runs a dialog whose filter shows only its description, since the patterns
// it matches by are the any-case forms. `chosenFilter`, when given, receives
// the filter the user chose.
QString runDialog(QWidget* parent, const QString& title, const QString& start, const QString& filter,
                  QFileDialog::AcceptMode mode, QString* chosenFilter = nullptr)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(anyCaseFilter(filter));
    // A name typed without an extension gets the chosen filter's, before the
    // dialog checks whether it would overwrite a file.
    if (mode == QFileDialog::AcceptSave) {
        dialog.setDefaultSuffix(filterExtension(filter));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filter](const QString& shown) {
            const QString extension = filterExtension(filterNamed(filter, shown));
            dialog.setDefaultSuffix(extension);
            // The dialog has just given a typed name the new filter's pattern
            // ("[bB][mM][pP]") for its extension: make it the plain one.
            if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                const QString typed = name->text();
                const QString suffix = QFileInfo(typed).suffix();
                if (suffix.startsWith(QLatin1Char('[')))
                    name->setText(typed.left(typed.size() - suffix.size()) + extension);
            }
        });
    }
    const QFileInfo startInfo(start);
    if (start.isEmpty() || startInfo.isDir()) {
        dialog.setDirectory(start);
    } else {
        dialog.setDirectory(startInfo.absolutePath());
        if (mode == QFileDialog::AcceptSave)
            dialog.selectFile(startInfo.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (chosenFilter != nullptr)
        *chosenFilter = filterNamed(filter, dialog.selectedNameFilter());
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

QString filterExtension(const QString& filter)
{
    return extensionPattern().match(filter).captured(1);
}

QString FileChooser::saveFileAs(QWidget* parent, const QString& title, const QString& start, const QString& filters,
                                QString& chosenFilter)
{
    chosenFilter = filters.section(QStringLiteral(";;"), 0, 0);
    return saveFile(parent, title, start, filters);
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

QString DialogFileChooser::saveFileAs(QWidget* parent, const QString& title, const QString& start,
                                      const QString& filters, QString& chosenFilter)
{
    return runDialog(parent, title, start, filters, QFileDialog::AcceptSave, &chosenFilter);
}
