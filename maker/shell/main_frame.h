#pragma once

#include <QMainWindow>
#include <QMap>
#include <QRect>
#include <QSize>

#include "picture_loader.h"

class CKestraDoc;
class CKestraView;
class KestraSettings;
class PreviewWindow;
class QAction;
class QMenu;

// Fits the document's display size to a screen whose available area is
// `screen` (the desktop less its panels) and returns the main window's size
// for it: the display size plus the window's borders and menu bar.
QSize fitMainWindow(CKestraDoc& doc, const QSize& screen);

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
    // available screen area) and sets up the frame afresh.
    void installPicture(kestra::LoadedPicture picture, const QRect& screen);

    // Loads a picture file; failures are reported to the user.
    void loadPictureFile(const QString& path);

    void selectSize(int sizeIndex);

    // FitPreviewWindow, ResetFrame and UpdateFrameFromView, then a redraw.
    void refitFrame();

    // Redraws the view and the preview after the frame changed.
    void frameChanged();

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

    CKestraDoc& m_doc;
    KestraSettings& m_settings;
    CKestraView* m_view;
    PreviewWindow* m_preview = nullptr;
    QMap<int, QAction*> m_actions;
};
