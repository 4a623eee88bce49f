#include "data_format_dialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

DataFormatDialog::DataFormatDialog(QWidget* parent)
    : QDialog(parent),
      m_large(new QRadioButton(tr("　一般用データ（サイズ大）"))),
      m_small(new QRadioButton(tr("　配布用データ（サイズ小）"))),
      m_ok(new QPushButton(QStringLiteral("OK")))
{
    // Titled by what it asks, not left to show the program's name.
    setWindowTitle(tr("データ形式"));
    auto* group = new QGroupBox(windowTitle());
    auto* radios = new QVBoxLayout(group);
    radios->addWidget(m_large);
    radios->addWidget(m_small);
    m_large->setChecked(true);

    m_ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

int DataFormatDialog::dataFormat() const
{
    return m_small->isChecked() ? 1 : 0;
}
