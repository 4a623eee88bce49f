#include "recovery_prompt.h"

#include "auto_save.h"
#include "auto_save_folder.h"
#include "document_events.h"
#include "error_text.h"
#include "format_error.h"
#include "main_frame.h"
#include "play_file.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <memory>
#include <new>
#include <optional>
#include <span>

namespace {

// The seconds played in a copy, or nothing when the copy is not a whole play
// file (it is read as the player would read it).
std::optional<int> secondsPlayed(const QString& copy, QString& reason)
{
    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return std::nullopt;
    }
    try {
        const QByteArray bytes = file.readAll();
        const auto doc = std::make_unique<CVorpelDoc>();
        OpenPlayData(*doc, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size())),
                     systemClock(), noDocumentEvents());
        return doc->GetElapsedBase();
    } catch (const jigsaw::FormatError& e) {
        reason = errorText(e);
    } catch (const std::bad_alloc&) {
        reason = QCoreApplication::translate("RecoveryPrompt", "メモリが足りません");
    }
    return std::nullopt;
}

QString timeText(int seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

bool askToResume(QWidget* parent, const QString& name, int seconds)
{
    QMessageBox box(parent);
    box.setWindowTitle(QCoreApplication::translate("RecoveryPrompt", "ゲームの再開"));
    box.setIcon(QMessageBox::Question);
    box.setText(QCoreApplication::translate("RecoveryPrompt", "前回のゲームを再開しますか？"));
    box.setInformativeText(QCoreApplication::translate("RecoveryPrompt", "パズル: %1\nプレイ時間: %2").arg(name, timeText(seconds)));
    QPushButton* yes = box.addButton(QCoreApplication::translate("RecoveryPrompt", "はい"), QMessageBox::AcceptRole);
    QPushButton* no = box.addButton(QCoreApplication::translate("RecoveryPrompt", "いいえ"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace

bool offerRecovery(CMainFrame& frame, AutoSaveFolder& folder, AutoSave& autoSave)
{
    for (const QString& copy : folder.orphanCopies()) {
        QString reason;
        const std::optional<int> seconds = secondsPlayed(copy, reason);
        if (!seconds) {
            qWarning().noquote() << QCoreApplication::translate("RecoveryPrompt", "vorpel: 自動保存されたゲーム「%1」を読めないため、無視します（%2）")
                                        .arg(QFileInfo(copy).fileName(), reason);
            continue;
        }
        QString name = AutoSaveFolder::readName(copy);
        if (!AutoSaveFolder::moveCopy(copy, folder.asideCopy()))
            continue;
        folder.removeLeftovers();
        if (name.isEmpty())
            name = QCoreApplication::translate("RecoveryPrompt", "（名前なし）");
        if (!askToResume(&frame, name, *seconds))
            return false;
        if (!AutoSaveFolder::moveCopy(folder.asideCopy(), folder.currentCopy()) ||
            !frame.resumeGame(folder.currentCopy(), name))
            return false;
        autoSave.copyAdopted();
        return true;
    }
    folder.removeLeftovers();
    return false;
}
