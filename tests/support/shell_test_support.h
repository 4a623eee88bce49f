#pragma once

#include <QDialog>
#include <QEvent>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <utility>

#include "file_chooser.h"
#include "main_frame.h"
#include "random_source.h"
#include "views_test_support.h"
#include "vorpel_settings.h"

// Answers file dialogs from a script and remembers what was asked.
class ScriptedChooser final : public FileChooser {
public:
    QString nextOpen;
    QString nextSave;
    QStringList asked;  // "open|save <filter> <start>"
    // The filter the user picks in a dialog of several; the first when empty.
    QString nextFilter;
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
    QString saveFileAs(QWidget* parent, const QString& title, const QString& start, const QString& filters,
                       QString& chosenFilter) override
    {
        const QString path = FileChooser::saveFileAs(parent, title, start, filters, chosenFilter);
        if (!nextFilter.isEmpty())
            chosenFilter = nextFilter;
        return path;
    }
};

// What a script does with a dialog; the dialog is rejected afterwards if
// the step left it open.
using DialogStep = std::function<void(QWidget*)>;

// While alive, answers every modal dialog that opens: the save prompt with
// `promptAnswer`, other messages with their default, other dialogs with the
// next step of a script or else by rejecting them, and writes down each
// dialog's title and text, and a message box's details.
class DialogAnswerer {
public:
    explicit DialogAnswerer(QString promptAnswer = QStringLiteral("いいえ"));
    explicit DialogAnswerer(std::deque<DialogStep> steps) : DialogAnswerer() { m_steps = std::move(steps); }
    bool finished() const { return m_steps.empty(); }
    QStringList titles;
    QStringList texts;
    QStringList details;
    int count(const QString& title) const { return static_cast<int>(titles.count(title)); }
    void clear() { titles = texts = details = {}; }

private:
    void answer();
    QString m_answer;
    std::deque<DialogStep> m_steps;
    QTimer m_timer;
};

// A mouse event at a global point, delivered to the widget that has the
// mouse (positions outside it are what a grab delivers).
void mouse(QWidget* receiver, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons);
// A press and a release of `button` at a global point, `held` staying down.
void click(QWidget* receiver, QPoint global, Qt::MouseButton button = Qt::LeftButton, Qt::MouseButtons held = {});

// The player's main frame on a settings file of its own in a folder of its
// own, with a fake clock and sounds and scripted file dialogs.
class FrameFixture {
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<VorpelSettings> m_settings;
    FakeClock m_clock;
    MtRandom m_random;
    RecordingSounds m_sounds;
    ScriptedChooser m_chooser;
    std::unique_ptr<CMainFrame> m_frame;

    // A new folder and settings file; a window rectangle and board width
    // when given.
    void openFolder(QRect window = {}, int boardWidth = 0);
    void closeFolder();
    // A new frame in place of the last, shown when `show` is set.
    void startFrame(bool show = true);
    QString path(const QString& name) const { return m_dir->filePath(name); }
    CVorpelDoc& doc() { return m_frame->document(); }
    // The main window's title over a game.
    static QString gameTitle(const QString& name, int percent = 0)
    {
        return QStringLiteral("%1 - パソコンで楽しむジグソーパズル - %2% 表示 100%").arg(name).arg(percent);
    }
    // Writes the 3 × 4 puzzle into the folder and returns its path.
    QString writeTwelve(const QString& name = QStringLiteral("twelve.jzt")) const;
};
