#include "finished_picture_dialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FinishedPictureDialog::FinishedPictureDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_save(new QRadioButton(tr("完成パズルを保存します。（壁紙には設定しない）"))),
      m_wallpaper(new QRadioButton(tr("完成パズルを保存し、壁紙に設定します。"))),
      m_nothing(new QRadioButton(tr("なにもしない。")))
{
    setWindowTitle(tr("完成パズル画像"));
    m_save->setChecked(true);

    auto* ok = new QPushButton(tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QRadioButton* b : {m_save, m_wallpaper, m_nothing})
        layout->addWidget(b);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

FinishedPictureDialog::Choice FinishedPictureDialog::choice() const
{
    if (result() != QDialog::Accepted || m_nothing->isChecked())
        return Choice::Nothing;
    return m_wallpaper->isChecked() ? Choice::SaveAsWallpaper : Choice::Save;
}

QRadioButton* FinishedPictureDialog::button(Choice choice) const
{
    switch (choice) {
    case Choice::Save:
        return m_save;
    case Choice::SaveAsWallpaper:
        return m_wallpaper;
    case Choice::Nothing:
        break;
    }
    return m_nothing;
}
