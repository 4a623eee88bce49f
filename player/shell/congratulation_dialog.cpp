#include "congratulation_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* numberBox(std::uint32_t value)
{
    auto* box = new QLineEdit(QString::number(value));
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(48);
    return box;
}

}  // namespace

CongratulationDialog::CongratulationDialog(const ElapsedTime& time, QWidget* parent)
    : QDialog(parent), m_hours(numberBox(time.hours)), m_minutes(numberBox(time.minutes)),
      m_seconds(numberBox(time.seconds))
{
    setWindowTitle(QString());
    // The 32 ideographic spaces push the words to the second line of the
    // wrapped text, as the dialog has always shown them.
    auto* text = new QLabel(tr("　　　　　　　　　　　　　　　　　　　　　　　　　　　　　　　　パズル完成！　おめでとうございます。"));
    text->setWordWrap(true);
    text->setMinimumWidth(300);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("所要時間")));
    row->addSpacing(12);
    for (const auto& [box, unit] :
         {std::pair{m_hours, tr("時間")}, std::pair{m_minutes, tr("分")}, std::pair{m_seconds, tr("秒")}}) {
        row->addWidget(box);
        row->addWidget(new QLabel(unit));
    }
    row->addStretch();

    auto* ok = new QPushButton(tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(row);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    ok->setFocus();
}

QStringList CongratulationDialog::shownTime() const
{
    return {m_hours->text(), m_minutes->text(), m_seconds->text()};
}
