#include "table_options.h"

#include <QAction>
#include <QActionGroup>
#include <QColorDialog>
#include <QMenu>

#include "board_view.h"
#include "vorpel_settings.h"

namespace {

const QString kColorKey = QStringLiteral("TableColor");
const QString kBackdropKey = QStringLiteral("Backdrop");

struct Preset {
    const char* text;
    QRgb rgb;
};
// The first is the board's own green.
constexpr Preset kPresets[] = {
    {QT_TRANSLATE_NOOP("TableOptions", "緑(&G)"), 0x008000},
    {QT_TRANSLATE_NOOP("TableOptions", "青(&B)"), 0x20508c},
    {QT_TRANSLATE_NOOP("TableOptions", "茶(&R)"), 0x7a5230},
    {QT_TRANSLATE_NOOP("TableOptions", "灰(&A)"), 0x707070},
    {QT_TRANSLATE_NOOP("TableOptions", "黒(&K)"), 0x000000},
};

}  // namespace

TableOptions::TableOptions(VorpelSettings& settings, CVorpelView& board, QMenu* options)
    : QObject(options), m_settings(settings), m_board(board), m_presets(new QActionGroup(this))
{
    const QColor stored(m_settings.readPath(kColorKey, QString()));
    m_board.setTableColor(stored.isValid() ? stored : CVorpelView::defaultTableColor());
    m_presets->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

    options->addSeparator();
    QMenu* colors = options->addMenu(tr("テーブルの色(&C)"));
    for (const Preset& preset : kPresets) {
        QAction* a = colors->addAction(tr(preset.text));
        a->setCheckable(true);
        a->setData(QColor(preset.rgb));
        m_presets->addAction(a);
    }
    connect(m_presets, &QActionGroup::triggered, this, [this](QAction* a) { setColor(a->data().value<QColor>()); });
    colors->addSeparator();
    connect(colors->addAction(tr("その他の色(&M)…")), &QAction::triggered, this, &TableOptions::chooseColor);
    showColor();

    QAction* backdrop = options->addAction(tr("下絵を表示(&P)"));
    backdrop->setCheckable(true);
    backdrop->setChecked(m_settings.readInt(kBackdropKey, 0) != 0);
    m_board.setBackdropShown(backdrop->isChecked());
    connect(backdrop, &QAction::toggled, this, [this](bool shown) {
        m_board.setBackdropShown(shown);
        m_settings.writeInt(kBackdropKey, shown ? 1 : 0);
    });
}

void TableOptions::setColor(const QColor& color)
{
    m_board.setTableColor(color);
    m_settings.writePath(kColorKey, color.name());
    showColor();
}

void TableOptions::chooseColor()
{
    const QColor color = QColorDialog::getColor(m_board.tableColor(), m_board.window(), tr("テーブルの色"));
    if (color.isValid())
        setColor(color);
}

void TableOptions::showColor()
{
    for (QAction* a : m_presets->actions())
        a->setChecked(a->data().value<QColor>() == m_board.tableColor());
}
