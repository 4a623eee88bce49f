#include "tool_windows.h"

#include "ini_settings.h"
#include "vorpel_doc.h"

#include <utility>

ToolWindows::ToolWindows(CVorpelDoc& doc, IniSettings& settings, GameClock& clock, QWidget* parent,
                         std::function<void()> userClosed)
    : m_doc(doc), m_settings(settings), m_clock(clock), m_parent(parent), m_userClosed(std::move(userClosed))
{
}

ToolWindows::~ToolWindows()
{
    delete m_preview;
    delete m_elapsed;
}

void ToolWindows::previewToggled(bool shown)
{
    delete m_preview;
    if (!shown)
        return;
    m_preview = new PreviewWindow(m_doc, m_settings, m_parent);
    QObject::connect(m_preview, &PreviewWindow::closedByUser, [this] {
        // The window is still inside its close handler: it goes later.
        std::exchange(m_preview, nullptr)->deleteLater();
        m_userClosed();
    });
    m_preview->show();
}

void ToolWindows::elapsedToggled(bool shown)
{
    delete m_elapsed;
    if (!shown)
        return;
    m_elapsed = new ElapsedWindow(m_doc, m_settings, m_clock, m_parent);
    QObject::connect(m_elapsed, &ElapsedWindow::closedByUser, [this] {
        std::exchange(m_elapsed, nullptr)->deleteLater();
        m_userClosed();
    });
    m_elapsed->show();
}

void ToolWindows::storeOpenPlaces()
{
    if (m_doc.GetPreviewShown() == 1 && m_preview)
        m_settings.writeRect(QStringLiteral("rp"), m_preview->geometry());
    if (m_doc.GetElapsedShown() == 1 && m_elapsed)
        m_settings.writeRect(QStringLiteral("rt"), m_elapsed->geometry());
}
