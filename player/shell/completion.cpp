#include "completion.h"

#include "finished_picture.h"

#include <QMessageBox>

void RunCompletion(QWidget* parent, CVorpelDoc& doc, GameClock& clock)
{
    const ElapsedTime time = TakeFinalTime(doc, clock.TickMs());
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("パズル完成"));
    box.setIcon(QMessageBox::Information);
    box.setText(QStringLiteral("パズル完成！　おめでとうございます。"));
    box.setInformativeText(QStringLiteral("所要時間　%1 時間 %2 分 %3 秒")
                               .arg(time.hours)
                               .arg(time.minutes)
                               .arg(time.seconds));
    box.exec();
}
