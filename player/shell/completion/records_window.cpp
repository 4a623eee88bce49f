#include "records_window.h"

#include "clock_text.h"
#include "screen_area.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRowsShown = 12;
constexpr int kColumnGap = 16;

}  // namespace

RecordsDialog::RecordsDialog(const BestTimeStore& store, QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)), m_note(new QLabel(this))
{
    setWindowTitle(tr("記録"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("パズル"), tr("ピース数"), tr("最高記録"), tr("完成回数"), tr("最高記録の日付")});

    BestTimeStore::Loaded loaded = store.load();
    std::ranges::stable_sort(loaded.records, std::ranges::greater(), &PuzzleRecord::lastDate);
    for (const PuzzleRecord& r : loaded.records) {
        auto* item = new QTreeWidgetItem(
            m_list, {QString::fromStdString(r.name), QString::number(r.pieces), clockText(r.bestSeconds),
                     QString::number(r.timesFinished),
                     QDateTime::fromSecsSinceEpoch(r.bestDate).toString(QStringLiteral("yyyy-MM-dd"))});
        for (int column = 1; column < m_list->columnCount(); ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    QStringList note;
    if (!loaded.note.isEmpty())
        note << loaded.note;
    if (!loaded.failure.isEmpty())
        note << tr("記録を読めませんでした（%1）。").arg(loaded.failure);
    else if (loaded.records.empty())
        note << tr("完成したパズルはまだありません。");
    m_note->setText(note.join(QLatin1Char('\n')));
    m_note->setWordWrap(true);
    m_note->setVisible(!note.isEmpty());

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("閉じる"), QDialogButtonBox::RejectRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    // Wide enough for every column, high enough for a dozen rows.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_list->setColumnWidth(column, m_list->columnWidth(column) + kColumnGap);
    const int rowHeight = std::max(m_list->sizeHintForRow(0), m_list->fontMetrics().height());
    const int rows = std::clamp(static_cast<int>(loaded.records.size()), 1, kRowsShown);
    m_list->setMinimumSize(m_list->header()->length() + 2 * m_list->frameWidth() +
                               m_list->verticalScrollBar()->sizeHint().width(),
                           m_list->header()->sizeHint().height() + rows * rowHeight + 2 * m_list->frameWidth());
    m_list->header()->setStretchLastSection(true);
}

QString RecordsDialog::shownNote() const
{
    return m_note->text();
}

void RecordsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    QRect client(QPoint(), sizeHint().expandedTo(minimumSizeHint()));
    client.moveCenter(parentWidget() ? parentWidget()->window()->geometry().center() : geometry().center());
    placeClientInside(*this, client);
}
