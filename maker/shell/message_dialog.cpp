#include "message_dialog.h"

#include "error_text.h"
#include "format_error.h"
#include "message_text.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

MessageDialog::MessageDialog(QWidget* parent)
    : QDialog(parent),
      m_edit(new QPlainTextEdit(this)),
      m_yes(new QRadioButton(tr("はい"))),
      m_no(new QRadioButton(tr("いいえ"))),
      m_ok(new QPushButton(QStringLiteral("OK")))
{
    setWindowTitle(tr("メッセージの添付"));
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setTabChangesFocus(true);

    auto* group = new QGroupBox(tr("データを開くとき表示しますか？"));
    auto* radios = new QHBoxLayout(group);
    radios->addWidget(m_yes);
    radios->addWidget(m_no);
    m_yes->setChecked(true);

    // Enter belongs to the edit box (a new line), so OK is no default button.
    m_ok->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(group);
    bottom->addWidget(m_ok, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(bottom);
    resize(460, 220);

    connect(m_ok, &QPushButton::clicked, this, &MessageDialog::onOk);
}

void MessageDialog::onOk()
{
    const QStringList text = m_edit->toPlainText().split(QLatin1Char('\n'));
    std::array<std::string, 3> lines;
    try {
        for (std::size_t i = 0; i < lines.size() && i < static_cast<std::size_t>(text.size()); ++i)
            lines[i] = jigsaw::cp932ToUtf8(jigsaw::encodeMessageLine(text[static_cast<qsizetype>(i)].toStdString()));
    } catch (const jigsaw::FormatError& e) {
        QMessageBox::warning(this, tr("メッセージの添付"), errorText(e));
        return;
    }
    m_lines = std::move(lines);
    m_showOnOpen = m_yes->isChecked();
    accept();
}

void MessageDialog::closeEvent(QCloseEvent* event)
{
    // Escape rejects without a close event; only the window's ✕ comes here.
    m_closedByWindow = true;
    QDialog::closeEvent(event);
}
