#pragma once

#include <QPointer>

#include <functional>

#include "elapsed_window.h"
#include "preview_window.h"

class CVorpelDoc;
class GameClock;
class IniSettings;
class QWidget;

// Makes and destroys the preview and elapsed-time windows as the document's
// toggles ask. The windows float over `parent`, the main window, and go with
// it. Destroying a window on a toggle writes nothing; the user's close saves
// its place, after which `userClosed` runs (the frame refreshes its menus),
// and so does the main window's close for the windows then open.
class ToolWindows {
public:
    ToolWindows(CVorpelDoc& doc, IniSettings& settings, GameClock& clock, QWidget* parent,
                std::function<void()> userClosed);
    ~ToolWindows();
    ToolWindows(const ToolWindows&) = delete;
    ToolWindows& operator=(const ToolWindows&) = delete;

    void previewToggled(bool shown);
    void elapsedToggled(bool shown);

    // Stores the places of the open windows ("rp…", "rt…"), as the main
    // window does when it closes.
    void storeOpenPlaces();

    // The open windows, or null.
    PreviewWindow* preview() const { return m_preview; }
    ElapsedWindow* elapsed() const { return m_elapsed; }

private:
    CVorpelDoc& m_doc;
    IniSettings& m_settings;
    GameClock& m_clock;
    QWidget* m_parent;
    std::function<void()> m_userClosed;
    QPointer<PreviewWindow> m_preview;
    QPointer<ElapsedWindow> m_elapsed;
};
