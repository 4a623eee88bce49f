#pragma once

#include <QCoreApplication>
#include <QList>
#include <QMap>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;

// The frame's menus: menu 128 in the window's menu bar and the panes'
// context menu (menus 141/142), built from one action per command id
// (command_ids.h), each with its text, shortcuts and place. The context menu
// shows some of the shared actions under other texts while it is open.
class MenuTable {
    // The texts keep the main window's context, as its catalogue has them.
    Q_DECLARE_TR_FUNCTIONS(CMainFrame)
public:
    // `addTableOptions` adds the table's look to the options menu, after the
    // black pieces.
    MenuTable(QMainWindow* window, const std::function<void(QMenu* options)>& addTableOptions);

    // The action of a command id, or null.
    QAction* action(int commandId) const { return m_actions.value(commandId); }
    const QMap<int, QAction*>& actions() const { return m_actions; }
    QMenu* contextMenu() const { return m_contextMenu; }
    // Every menu and submenu of both, so that opening any refreshes the
    // commands.
    const QList<QMenu*>& menus() const { return m_menus; }

private:
    QAction* addCommand(int id, const QString& text);
    void buildMenuBar(const std::function<void(QMenu* options)>& addTableOptions);
    void buildContextMenu();
    void showContextTexts(bool context);

    QMainWindow* m_window;
    QMap<int, QAction*> m_actions;
    QMenu* m_contextMenu = nullptr;
    QList<QMenu*> m_menus;
};
