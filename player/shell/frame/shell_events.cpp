#include "shell_events.h"

#include "message_dialog.h"
#include "tool_windows.h"

#include <utility>

ShellEvents::ShellEvents(QWidget* parent, ToolWindows& toolWindows, std::function<void()> redrawAll)
    : m_parent(parent), m_toolWindows(toolWindows), m_redrawAll(std::move(redrawAll)), m_progress(parent)
{
}

void ShellEvents::ShowMessage(const std::string& text)
{
    if (m_holding) {
        m_heldMessage = text;
        return;
    }
    MessageDialog dialog(text, m_parent);
    dialog.exec();
}

void ShellEvents::CutProgress(int done, int total)
{
    m_progress.update(done, total);
}

void ShellEvents::RedrawAll()
{
    m_redrawAll();
}

void ShellEvents::PreviewToggled(bool shown)
{
    m_toolWindows.previewToggled(shown);
}

void ShellEvents::ElapsedToggled(bool shown)
{
    m_toolWindows.elapsedToggled(shown);
}

void ShellEvents::holdMessages()
{
    m_holding = true;
    m_heldMessage.reset();
}

void ShellEvents::releaseMessages()
{
    m_holding = false;
    if (std::optional<std::string> text = std::exchange(m_heldMessage, std::nullopt))
        ShowMessage(*text);
}

void ShellEvents::dropMessages()
{
    m_holding = false;
    m_heldMessage.reset();
}
