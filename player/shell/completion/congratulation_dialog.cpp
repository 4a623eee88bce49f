#include "congratulation_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kTextWidth = 300;

QLineEdit* numberBox(std::uint32_t value)
{
    auto* box = new QLineEdit(QString::number(value));
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(48);
    return box;
}

// The best-time line: the first finish, a new best, or the best so far.
QString bestLine(const CompletionRecord& r)
{
    if (!r.previousBest)
        return CongratulationDialog::tr("最高記録 %1（初めての完成）").arg(CongratulationDialog::timeInWords(r.bestSeconds));
    if (r.newBest())
        return CongratulationDialog::tr("最高記録を更新しました！ これまでの最高は %1（%2 回目の完成）")
            .arg(CongratulationDialog::timeInWords(*r.previousBest))
            .arg(r.timesFinished);
    return CongratulationDialog::tr("最高記録 %1（%2 回目の完成）")
        .arg(CongratulationDialog::timeInWords(r.bestSeconds))
        .arg(r.timesFinished);
}

}  // namespace

QString CongratulationDialog::timeInWords(std::uint32_t seconds)
{
    const ElapsedTime t = SplitElapsed(seconds);
    if (t.hours > 0)
        return tr("%1時間%2分%3秒").arg(t.hours).arg(t.minutes).arg(t.seconds);
    if (t.minutes > 0)
        return tr("%1分%2秒").arg(t.minutes).arg(t.seconds);
    return tr("%1秒").arg(t.seconds);
}

CongratulationDialog::CongratulationDialog(const ElapsedTime& time, const BestTimeStore::Recorded& recorded,
                                           QWidget* parent)
    : QDialog(parent), m_record(new QLabel), m_hours(numberBox(time.hours)), m_minutes(numberBox(time.minutes)),
      m_seconds(numberBox(time.seconds))
{
    // Titled by what it tells, rather than left to the window manager,
    // which would show the program's name.
    setWindowTitle(tr("パズル完成"));
    // The 32 ideographic spaces push the words to the second line of the
    // wrapped text, as the dialog has always shown them.
    auto* text = new QLabel(tr("　　　　　　　　　　　　　　　　　　　　　　　　　　　　　　　　パズル完成！　おめでとうございます。"));
    text->setWordWrap(true);
    text->setMinimumWidth(kTextWidth);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("所要時間")));
    row->addSpacing(12);
    for (const auto& [box, unit] :
         {std::pair{m_hours, tr("時間")}, std::pair{m_minutes, tr("分")}, std::pair{m_seconds, tr("秒")}}) {
        row->addWidget(box);
        row->addWidget(new QLabel(unit));
    }
    row->addStretch();

    QStringList record;
    if (recorded.record)
        record << bestLine(*recorded.record);
    if (!recorded.note.isEmpty())
        record << recorded.note;
    m_record->setText(record.join(QLatin1Char('\n')));
    m_record->setWordWrap(true);
    // A long note wraps rather than widening the dialog, which would move
    // the congratulations up beside the spaces.
    m_record->setMaximumWidth(kTextWidth);
    m_record->setVisible(!record.isEmpty());

    auto* ok = new QPushButton(tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(row);
    layout->addWidget(m_record);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    ok->setFocus();
}

QStringList CongratulationDialog::shownTime() const
{
    return {m_hours->text(), m_minutes->text(), m_seconds->text()};
}

QString CongratulationDialog::shownRecord() const
{
    return m_record->text();
}
