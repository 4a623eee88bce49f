#pragma once

#include <QDialog>

#include "game_store.h"

class AutoSave;
class GameHost;
class QPushButton;
class QTreeWidget;

// "未完成のゲーム": the unfinished games no running player holds, newest
// first, each with its puzzle's name, a small picture of its board, the share
// of joins done, the time played, when it was last played and its size on
// disk. Resuming and starting afresh end the dialog; deleting asks first and
// keeps it open.
class UnfinishedGamesDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { None, Resume, Afresh };

    UnfinishedGamesDialog(GameStore& store, QWidget* parent);

    QTreeWidget* list() const { return m_list; }
    int gameCount() const { return static_cast<int>(m_games.size()); }
    Choice choice() const { return m_choice; }
    // The game to resume.
    const UnfinishedGame* chosen() const;

private:
    void fill();
    void deleteChosen();
    void end(Choice choice);

    GameStore& m_store;
    std::vector<UnfinishedGame> m_games;
    QTreeWidget* m_list;
    QPushButton* m_resume;
    QPushButton* m_delete;
    Choice m_choice = Choice::None;
};

// Offers the unfinished games and resumes the one chosen, or starts afresh.
// At start-up the list shows only when it holds any game; from the menu the
// game in progress is first written to its copy and the save prompt runs.
void runUnfinishedGames(GameHost& host, GameStore& store, AutoSave& autoSave, bool atStartup);
