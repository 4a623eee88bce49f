#pragma once

#include <QMainWindow>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "picture_loader.h"

class CKestraDoc;
class CKestraView;
class KestraSettings;
class PreviewWindow;
class QAction;
class QLabel;
class QMenu;

// Fits the document's display size to the room the view has (the available
// screen area less the window's decoration and menu bar) and returns it: the
// view is exactly the displayed picture.
QSize fitView(CKestraDoc& doc, const QSize& viewArea);

// Where a tool window of frame size `tool` goes beside the window `window`,
// inside `area`: to its right, left, below or above, the first that fits;
// when none does, in the bottom-right corner of `area`, over the window.
QPoint besideWindow(const QRect& window, const QSize& tool, const QRect& area);

// The maker's main window: fixed size (only the program sizes it), menu 128,
// the framing view and the preview window. Commands act on the document and
// then redraw what changed.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CKestraDoc& doc, KestraSettings& settings, QWidget* parent = nullptr);

    CKestraView* view() const { return m_view; }
    PreviewWindow* preview() const { return m_preview; }

    // The action of a command id (command_ids.h), or null.
    QAction* action(int commandId) const { return m_actions.value(commandId); }

    // Refreshes the enabled and checked state of every command.
    void refreshCommands();

    // Puts a loaded picture in the document, fits the window to `screen` (the
    // available screen area), places the preview beside it and sets up the
    // frame afresh.
    void installPicture(kestra::LoadedPicture picture, const QRect& screen);

    // Loads a picture file; failures are reported to the user.
    void loadPictureFile(const QString& path);

    void selectSize(int sizeIndex);

    // FitPreviewWindow, ResetFrame and UpdateFrameFromView, then a redraw.
    void refitFrame();

    // Redraws the view and the preview after the frame changed, and says
    // beside the menus when the puzzle would enlarge the framed area.
    void frameChanged();

    // The warning beside the menus; empty when the puzzle is not enlarged.
    QString enlargementWarning() const;

    // The program was told to end: keeps the window's place and leaves.
    void endOnSignal();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(QMenu* menu, int id, const QString& text);
    void buildMenus();
    void openPicture();
    void paste();
    void toggleLockRatio();
    void createData();
    void showAbout();
    void reportLoadFailure(const kestra::PictureLoadError& error);
    QRect availableScreen() const;
    int menuHeightAt(int width) const;
    void fitToPicture(const QRect& screen);
    void placePreview();

    CKestraDoc& m_doc;
    KestraSettings& m_settings;
    CKestraView* m_view;
    PreviewWindow* m_preview = nullptr;
    // The screen area the windows were last placed in.
    QRect m_screenArea;
    QMap<int, QAction*> m_actions;
    QLabel* m_enlargement;
};
