#include "signal_exit.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};
// The pipe from the handler to the event loop: read end, write end.
int s_pipe[2] = {-1, -1};

extern "C" void writeToPipe(int signal)
{
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(s_pipe[1], &byte, 1);
    errno = saved;
}

void setHandlers(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

}  // namespace

SignalExit::SignalExit(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal))
{
    if (::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalExit::signalArrived);
    setHandlers(writeToPipe);
}

SignalExit::~SignalExit()
{
    if (m_notifier == nullptr)
        return;
    setHandlers(SIG_DFL);
    delete m_notifier;
    ::close(s_pipe[0]);
    ::close(s_pipe[1]);
    s_pipe[0] = s_pipe[1] = -1;
}

void SignalExit::signalArrived()
{
    unsigned char byte = 0;
    while (::read(s_pipe[0], &byte, 1) == 1) {
    }
    if (m_received)
        return;
    m_received = true;
    setHandlers(SIG_DFL);
    m_onSignal();
}
