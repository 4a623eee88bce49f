#include "creation_flow.h"

#include "data_creation.h"
#include "data_format_dialog.h"
#include "dialog_folder.h"
#include "error_message.h"
#include "file_error_box.h"
#include "file_path.h"
#include "file_patterns.h"
#include "format_error.h"
#include "kestra_doc.h"
#include "kestra_settings.h"
#include "message_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QProgressDialog>

#include <new>
#include <optional>

namespace kestra {

namespace {

QString title()
{
    return QCoreApplication::translate("kestra", "データ作成");
}

bool confirmCreation(QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(title());
    box.setText(
        QCoreApplication::translate("kestra", "データの作成には、５分間程度かかります\nパズルデータを作成しますか？"));
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.addButton(QCoreApplication::translate("kestra", "ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    return box.clickedButton() == ok;
}

bool chooseDataFormat(QWidget* parent, CKestraDoc& doc)
{
    DataFormatDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    doc.m_nDataFormat = dialog.dataFormat();
    return true;
}

bool editAttachedMessage(QWidget* parent, CKestraDoc& doc)
{
    MessageDialog dialog(parent);
    if (dialog.exec() == QDialog::Accepted) {
        doc.m_szMessage = dialog.lines();
        doc.m_bShowMessageOnOpen = dialog.showOnOpen();
    }
    return !dialog.closedByWindow();
}

QString chooseSaveFile(QWidget* parent, const QString& startFolder, const QString& name)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(QStringLiteral("Puzzle Data Files (*.jzt) (%1)").arg(anyCasePattern(QStringLiteral("jzt"))));
    dialog.setDefaultSuffix(QStringLiteral("jzt"));
    dialog.setDirectory(startFolder);
    if (!name.isEmpty())
        dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// The wait cursor while work runs; the modal dialogs in between show the
// normal one.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Thrown out of a stage whose progress dialog was closed.
struct Cancelled {};

// One stage of work with its progress dialog. The dialog is application-modal
// so that the repaints it allows cannot start another command in the middle
// of the run. Closing it (✕ or Escape) ends the creation at the next step.
class StageDialog {
public:
    StageDialog(QWidget* parent, const QString& label) : m_dialog(label, QString(), 0, 0, parent)
    {
        m_dialog.setWindowTitle(title());
        m_dialog.setCancelButton(nullptr);
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setMinimumDuration(0);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        QObject::connect(&m_dialog, &QProgressDialog::canceled, [this] { m_cancelled = true; });
        QObject::connect(&m_dialog, &QDialog::rejected, [this] { m_cancelled = true; });
        m_dialog.show();
    }
    ~StageDialog()
    {
        m_dialog.disconnect();
        m_dialog.close();
    }
    StageDialog(const StageDialog&) = delete;
    StageDialog& operator=(const StageDialog&) = delete;

    StageProgress progress()
    {
        return [this](int position, int maximum) {
            if (m_dialog.maximum() != maximum)
                m_dialog.setMaximum(maximum);
            m_dialog.setValue(position);
            if (m_cancelled)
                throw Cancelled{};
        };
    }

private:
    WaitCursor m_wait;
    QProgressDialog m_dialog;
    bool m_cancelled = false;
};

}  // namespace

CreationPrompts defaultCreationPrompts()
{
    return {confirmCreation, chooseDataFormat, editAttachedMessage, chooseSaveFile};
}

QString runDataCreation(QWidget* parent, CKestraDoc& doc, KestraSettings& settings, const CreationPrompts& prompts)
{
    if (!doc.m_bPictureLoaded || !prompts.confirm(parent))
        return {};
    try {
        std::optional<WorkingSamples> samples;
        {
            StageDialog stage(parent, QCoreApplication::translate("kestra", "データ展開中"));
            const KRect& f = doc.m_rcFrame;
            samples = sampleFramedPicture(doc.FramedSource(), {f.left, f.top, f.right, f.bottom},
                                          doc.m_nSizeIndex, stage.progress());
        }
        if (!prompts.chooseFormat(parent, doc))
            return {};

        std::optional<IndexedSamples> indexed;
        if (doc.m_infoHeader.biBitCount == 8) {
            StageDialog stage(parent, QCoreApplication::translate("kestra", "パレット展開中"));
            indexed = mapToPalette(samples->picture, samples->geometry.width(), samples->geometry.height(),
                                   doc.m_aColorTable, stage.progress());
        }

        std::optional<jigsaw::JztPuzzle> puzzle;
        {
            StageDialog stage(parent, QCoreApplication::translate("kestra", "データ作成中"));
            const auto format = doc.m_nDataFormat == 1 ? jigsaw::DataFormat::Small : jigsaw::DataFormat::Large;
            puzzle = buildPuzzle(*samples, indexed ? &*indexed : nullptr, doc.m_aColorTable, format,
                                 doc.m_fileHeader, stage.progress());
        }
        samples.reset();
        indexed.reset();

        if (!prompts.editMessage(parent, doc))
            return {};
        setMessage(puzzle->header, doc.MessageLines(), doc.m_bShowMessageOnOpen);

        const QString startFolder =
            dialogStartFolder(settings.readPath(QStringLiteral("pspath"), doc.m_strDataPath), DialogUse::Save);
        const QString picture = QFileInfo(doc.m_strPictureFile).completeBaseName();
        const QString path = prompts.chooseSaveFile(
            parent, startFolder, picture.isEmpty() ? QString() : picture + QStringLiteral(".jzt"));
        if (path.isEmpty())
            return {};
        doc.m_strDataPath = path;
        settings.writePath(QStringLiteral("pspath"), path);

        const WaitCursor wait;
        savePuzzle(toFilesystemPath(path), *puzzle);
        return path;
    } catch (const Cancelled&) {
    } catch (const std::bad_alloc&) {
        QMessageBox::warning(parent, QCoreApplication::translate("kestra", "警告"),
                             QCoreApplication::translate("kestra", "メモリの確保に失敗しました。\n処理を中断します"));
    } catch (const PictureLoadError& e) {
        showErrorMessage(parent, title(), {e.summary(), e.details()});
    } catch (const std::runtime_error& e) {
        showErrorMessage(parent, title(), errorMessage(e, FileTask::MakePuzzle, QString()));
    }
    return {};
}

}  // namespace kestra
