#pragma once

#include "cut_progress.h"
#include "document_events.h"

#include <functional>
#include <optional>
#include <string>

class QWidget;
class ToolWindows;

// What the document asks of the windows while it loads or runs a command:
// the attached message in dialog 148, the cut's progress bar, redraws, and
// the preview and elapsed-time windows made or destroyed by their toggles.
class ShellEvents final : public DocumentEvents {
public:
    ShellEvents(QWidget* parent, ToolWindows& toolWindows, std::function<void()> redrawAll);

    void ShowMessage(const std::string& text) override;
    void CutProgress(int done, int total) override;
    void RedrawAll() override;
    void PreviewToggled(bool shown) override;
    void ElapsedToggled(bool shown) override;

    // While a play file replaces the game, the document is half old and half
    // new; a message asked for then waits until the game is whole again.
    void holdMessages();
    // Shows the message that waited, if any, and shows messages at once again.
    void releaseMessages();
    // Drops the message that waited (the load failed).
    void dropMessages();

    // The load is over: the progress bar goes.
    void finishProgress() { m_progress.finish(); }

private:
    QWidget* m_parent;
    ToolWindows& m_toolWindows;
    std::function<void()> m_redrawAll;
    ::CutProgress m_progress;
    bool m_holding = false;
    std::optional<std::string> m_heldMessage;
};
