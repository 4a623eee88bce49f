#pragma once

// What both screenshot programs need to set up a scene and save it.

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QString>
#include <QWidget>
#include <QWindow>

#include <functional>

// A scene that did not come about as meant: the program ends with the reason.
struct SceneFailed {
    const char* reason;
};

inline void require(bool holds, const char* reason)
{
    if (!holds)
        throw SceneFailed{reason};
}

// Lets the window system work until `done` holds, for at most ten seconds.
inline void waitUntil(const std::function<bool()>& done, const char* reason)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        require(timer.elapsed() < 10'000, reason);
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

inline void waitUntilShown(QWidget& window)
{
    waitUntil([&window] { return window.windowHandle() != nullptr && window.windowHandle()->isExposed(); },
              "a window is not shown");
}

// A mouse event at a global point, delivered to the widget that has the mouse
// (as the window system's grab does from a press to its release).
inline void mouse(QWidget* receiver, QEvent::Type type, QPoint global, Qt::MouseButton button,
                  Qt::MouseButtons buttons)
{
    QMouseEvent event(type, receiver->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

// Press, move and release of the left button.
inline void drag(QWidget* receiver, QPoint from, QPoint to)
{
    mouse(receiver, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(receiver, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(receiver, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

inline void save(const QImage& image, const char* path, int quality = -1)
{
    require(image.save(QString::fromLocal8Bit(path), "PNG", quality), "cannot write the picture");
}
