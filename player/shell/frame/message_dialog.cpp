#include "message_dialog.h"

#include "message_text.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

MessageDialog::MessageDialog(const std::string& cp932, QWidget* parent)
    : QDialog(parent), m_edit(new QPlainTextEdit(this))
{
    setWindowTitle(tr("添付メッセージ"));
    QString text = QString::fromStdString(jigsaw::cp932ToUtf8(cp932));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_edit->setPlainText(text);
    m_edit->setReadOnly(true);
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* ok = new QPushButton(tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(460, 200);
    ok->setFocus();
}

QString MessageDialog::text() const
{
    return m_edit->toPlainText();
}
