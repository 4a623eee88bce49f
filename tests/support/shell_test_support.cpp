#include "shell_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QtTest>

#include <utility>

#include "jzt_file.h"
#include "message_dialog.h"

DialogAnswerer::DialogAnswerer(QString promptAnswer) : m_answer(std::move(promptAnswer))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
    m_timer.start(5);
}

void DialogAnswerer::answer()
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
        if (!m_steps.empty()) {
            const DialogStep step = std::move(m_steps.front());
            m_steps.pop_front();
            step(modal);
        }
        if (dialog->isVisible())
            dialog->reject();
    }
}

void mouse(QWidget* receiver, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, receiver->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

void click(QWidget* receiver, QPoint global, Qt::MouseButton button, Qt::MouseButtons held)
{
    mouse(receiver, QEvent::MouseButtonPress, global, button, held | button);
    mouse(receiver, QEvent::MouseButtonRelease, global, button, held);
}

void FrameFixture::openFolder(QRect window, int boardWidth)
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<VorpelSettings>(m_dir->filePath(QStringLiteral("vorpel.ini")));
    if (window.isValid())
        m_settings->writeRect(QStringLiteral("rg"), window);
    if (boardWidth > 0)
        m_settings->writeInt(QStringLiteral("FlDx"), boardWidth);
    m_chooser = ScriptedChooser();
    m_sounds.played.clear();
}

void FrameFixture::closeFolder()
{
    m_frame.reset();
    m_settings.reset();
    m_dir.reset();
}

void FrameFixture::startFrame(bool show)
{
    m_frame.reset();
    m_frame = std::make_unique<CMainFrame>(*m_settings, m_clock, m_random, m_sounds, m_chooser);
    if (!show)
        return;
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

QString FrameFixture::writeTwelve(const QString& name) const
{
    const QString puzzle = m_dir->filePath(name);
    jigsaw::writeJztFile(puzzle.toStdString(),
                         samplePuzzle(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor));
    return puzzle;
}
