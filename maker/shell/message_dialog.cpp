#include "message_dialog.h"

#include "error_text.h"
#include "format_error.h"
#include "jzt_file.h"
#include "message_text.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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
    layout->addWidget(new QLabel(tr("%1 行まで、1 行 %2 バイト（全角 %3 文字）まで")
                                     .arg(m_lines.size())
                                     .arg(jigsaw::kMessageLineMax)
                                     .arg(jigsaw::kMessageLineMax / 2)));
    layout->addWidget(m_edit);
    layout->addLayout(bottom);
    resize(460, 220);

    connect(m_ok, &QPushButton::clicked, this, &MessageDialog::onOk);
}

void MessageDialog::onOk()
{
    const QStringList text = m_edit->toPlainText().split(QLatin1Char('\n'));
    std::array<std::string, 3> lines;
    QStringList losses;
    try {
        for (std::size_t i = 0; i < lines.size() && i < static_cast<std::size_t>(text.size()); ++i) {
            const std::string utf8 = text[static_cast<qsizetype>(i)].toStdString();
            const std::string stored = jigsaw::encodeMessageLine(utf8);
            if (stored.size() < jigsaw::utf8ToCp932(utf8).size())
                losses << tr("%1 行目が %2 バイト（全角 %3 文字）を超えているので、超えた分は切り捨てられます。")
                              .arg(i + 1)
                              .arg(jigsaw::kMessageLineMax)
                              .arg(jigsaw::kMessageLineMax / 2);
            lines[i] = jigsaw::cp932ToUtf8(stored);
        }
    } catch (const jigsaw::FormatError& e) {
        QMessageBox::warning(this, windowTitle(), refusal(e));
        return;
    }
    for (qsizetype i = static_cast<qsizetype>(lines.size()); i < text.size(); ++i)
        if (!text[i].isEmpty()) {
            losses << tr("%1 行目から後は使われません。").arg(lines.size() + 1);
            break;
        }
    if (!losses.isEmpty() && !acceptLosses(losses))
        return;
    m_lines = std::move(lines);
    m_showOnOpen = m_yes->isChecked();
    accept();
}

QString MessageDialog::refusal(const jigsaw::FormatError& error)
{
    if (error.code() != jigsaw::ErrorCode::MessageCharacterNotInCp932)
        return errorText(error);
    return tr("文字「%1」はパズルのメッセージに入れられません。別の文字に置き換えてください。")
        .arg(QString::fromStdString(error.arguments().at(0)));
}

bool MessageDialog::acceptLosses(const QStringList& losses)
{
    QMessageBox box(QMessageBox::Warning, windowTitle(), losses.join(QLatin1Char('\n')), QMessageBox::NoButton, this);
    box.setInformativeText(tr("このまま使いますか？"));
    QPushButton* keep = box.addButton(tr("切り詰めて使う"), QMessageBox::AcceptRole);
    QPushButton* fix = box.addButton(tr("直す"), QMessageBox::RejectRole);
    box.setDefaultButton(fix);
    box.setEscapeButton(fix);
    box.exec();
    return box.clickedButton() == keep;
}

void MessageDialog::closeEvent(QCloseEvent* event)
{
    // Escape rejects without a close event; only the window's ✕ comes here.
    m_closedByWindow = true;
    QDialog::closeEvent(event);
}
