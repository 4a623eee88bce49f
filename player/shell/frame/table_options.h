#pragma once

#include <QColor>
#include <QObject>

class CVorpelView;
class QAction;
class QActionGroup;
class QMenu;
class VorpelSettings;

// The look of the table, a matter of taste kept in the settings: the board's
// colour, one of a few or any other, and whether the finished picture shows
// faintly beneath the pieces. Adds its items to the options menu, under
// which it lives, and tells the board.
class TableOptions : public QObject {
    Q_OBJECT
public:
    TableOptions(VorpelSettings& settings, CVorpelView& board, QMenu* options);

private:
    void setColor(const QColor& color);
    void chooseColor();
    // Checks the preset of the board's colour, none for another colour.
    void showColor();

    VorpelSettings& m_settings;
    CVorpelView& m_board;
    QActionGroup* m_presets;
};
