#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <utility>

#include "file_chooser.h"
#include "message_dialog.h"

// Answers file dialogs from a script and remembers what was asked.
class ScriptedChooser final : public FileChooser {
public:
    QString nextOpen;
    QString nextSave;
    QStringList asked;  // "open|save <filter> <start>"
    QString openFile(QWidget*, const QString&, const QString& start, const QString& filter) override
    {
        asked << QStringLiteral("open %1 %2").arg(filter, start);
        return nextOpen;
    }
    QString saveFile(QWidget*, const QString&, const QString& start, const QString& filter) override
    {
        asked << QStringLiteral("save %1 %2").arg(filter, start);
        return nextSave;
    }
    // The filter the user picks in a dialog of several; the first when empty.
    QString nextFilter;
    QString saveFileAs(QWidget* parent, const QString& title, const QString& start, const QString& filters,
                       QString& chosenFilter) override
    {
        const QString path = FileChooser::saveFileAs(parent, title, start, filters, chosenFilter);
        if (!nextFilter.isEmpty())
            chosenFilter = nextFilter;
        return path;
    }
};

// While alive, answers every modal dialog that opens: the save prompt with
// `promptAnswer`, anything else with its default, and writes down each
// dialog's title and text, and a message box's details.
class DialogAnswerer {
public:
    explicit DialogAnswerer(QString promptAnswer = QStringLiteral("いいえ")) : m_answer(std::move(promptAnswer))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start(5);
    }
    QStringList titles;
    QStringList texts;
    QStringList details;
    int count(const QString& title) const { return static_cast<int>(titles.count(title)); }

private:
    void answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        titles << modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            texts << box->text();
            details << box->detailedText();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == m_answer) {
                    b->click();
                    return;
                }
            box->accept();
        } else if (auto* message = qobject_cast<MessageDialog*>(modal)) {
            texts << message->text();
            message->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    }
    QString m_answer;
    QTimer m_timer;
};
