#include "panel_dialog.h"

#include <QCoreApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>

namespace {

// A group box of checkable push buttons, one per (value, text to translate),
// the first checked; the group's ids are the values.
QGroupBox* choiceBox(const QString& title, QButtonGroup* group,
                     std::initializer_list<std::pair<int, const char*>> choices)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    for (const auto& [value, text] : choices) {
        auto* button = new QPushButton(QCoreApplication::translate("PanelDialog", text));
        button->setCheckable(true);
        button->setAutoDefault(false);
        group->addButton(button, value);
        layout->addWidget(button);
    }
    group->setExclusive(true);
    group->buttons().constFirst()->setChecked(true);
    return box;
}

}  // namespace

PanelDialog::PanelDialog(CVorpelDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_panels(new QButtonGroup(this)), m_glue(new QButtonGroup(this))
{
    setWindowTitle(tr("PANEL"));
    QGroupBox* panels = choiceBox(tr("パネル選択"), m_panels,
                                  {{0, QT_TRANSLATE_NOOP("PanelDialog", "パネルに入れません")},
                                   {1, QT_TRANSLATE_NOOP("PanelDialog", "パネル（ブラウン）選択")},
                                   {2, QT_TRANSLATE_NOOP("PanelDialog", "パネル（ブラック）選択")},
                                   {3, QT_TRANSLATE_NOOP("PanelDialog", "パネル（ゴールド）選択")}});
    QGroupBox* glue = choiceBox(tr("糊付け"), m_glue,
                                {{0, QT_TRANSLATE_NOOP("PanelDialog", "完成パズルを糊付けしません")},
                                 {1, QT_TRANSLATE_NOOP("PanelDialog", "完成パズルを糊付けします")}});
    connect(m_panels, &QButtonGroup::idClicked, this, [this](int id) { m_doc.SetPanel(id); });
    connect(m_glue, &QButtonGroup::idClicked, this, [this](int id) { m_doc.SetGlue(id); });

    auto* ok = new QPushButton(tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PanelDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panels);
    layout->addWidget(glue);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    ok->setFocus();
}

void PanelDialog::accept()
{
    m_doc.SetPanel(m_panels->checkedId());
    m_doc.SetGlue(m_glue->checkedId());
    QDialog::accept();
}

QAbstractButton* PanelDialog::panelButton(int panel) const
{
    return m_panels->button(panel);
}

QAbstractButton* PanelDialog::glueButton(int glue) const
{
    return m_glue->button(glue);
}
