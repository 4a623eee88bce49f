#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C) into a call of
// `onSignal` on the event loop, so that the program can end cleanly. The
// handler only writes the signal's number into a pipe, whose reading end the
// event loop watches. After the first signal the default handlers are back,
// so that a second one ends the program at once. One at a time.
class SignalExit : public QObject {
    Q_OBJECT
public:
    explicit SignalExit(std::function<void()> onSignal, QObject* parent = nullptr);
    // Puts the default handlers back.
    ~SignalExit() override;

    bool received() const { return m_received; }

private:
    void signalArrived();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
    bool m_received = false;
};
