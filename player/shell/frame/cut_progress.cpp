#include "cut_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

// Time between two repaints of the bar.
constexpr qint64 kUpdateIntervalMs = 50;

}  // namespace

CutProgress::CutProgress(QWidget* parent) : m_parent(parent) {}

CutProgress::~CutProgress() = default;

void CutProgress::update(int done, int total)
{
    if (m_dialog == nullptr) {
        m_dialog = std::make_unique<QProgressDialog>(QCoreApplication::translate("CutProgress", "データ作成中"),
                                                     QString(), 0, total, m_parent);
        m_dialog->setWindowTitle(QCoreApplication::translate("CutProgress", "パズルを開く"));
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setValue(done);
        m_sinceUpdate.start();
        return;
    }
    // A modal progress dialog processes events on every new value.
    if (m_sinceUpdate.elapsed() < kUpdateIntervalMs)
        return;
    m_dialog->setMaximum(total);
    m_dialog->setValue(done);
    m_sinceUpdate.restart();
}

void CutProgress::finish()
{
    m_dialog.reset();
}
