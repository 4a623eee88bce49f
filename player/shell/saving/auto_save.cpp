#include "auto_save.h"

#include "error_text.h"
#include "file_path.h"
#include "game_store.h"
#include "play_file.h"
#include "play_rules.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>

#include <exception>
#include <utility>

namespace {

// Why the running code failed, whatever it threw.
QString currentFailure()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return QCoreApplication::translate("AutoSave", "メモリが足りません");
    } catch (const std::exception& e) {
        return errorText(e);
    } catch (...) {
        return QCoreApplication::translate("AutoSave", "原因不明のエラー");
    }
}

}  // namespace

AutoSave::AutoSave(CVorpelDoc& doc, GameClock& clock, GameStore& store, CopyWriter writer,
                   std::function<QImage()> thumbnail, QObject* parent)
    : QObject(parent),
      m_doc(doc),
      m_clock(clock),
      m_store(store),
      m_writer(std::move(writer)),
      m_thumbnail(std::move(thumbnail))
{
    m_pool.setMaxThreadCount(1);
    // The worker waits for the next write as long as the program runs.
    m_pool.setExpiryTimeout(-1);
    connect(&m_timer, &QTimer::timeout, this, &AutoSave::look);
    m_timer.start(kLookMs);
}

AutoSave::~AutoSave()
{
    m_pool.waitForDone();
}

bool AutoSave::wantsCopy() const
{
    return m_doc.GetPlayable() == 1 && m_doc.GetCompleted() != 1 && m_doc.GetModified() == 1;
}

bool AutoSave::isCarrying() const
{
    return m_doc.GetHolding() != 0 || m_doc.GetTrayDrag() != 0;
}

void AutoSave::gameEnding()
{
    saveNow();
    m_endingKeeps = wantsCopy();
    m_reading = true;
}

void AutoSave::gameStarted(const QString& name)
{
    letGo(m_endingKeeps);
    m_endingKeeps = false;
    m_name = name;
    if (m_adoptLock) {
        m_id = std::exchange(m_adoptId, {});
        m_lock = std::move(m_adoptLock);
        m_copyOnDisk = true;
        m_picturesOnDisk = true;
        // The game just read is its copy as stored: the next copy is written
        // when the game changes, or a minute on for the clock.
        m_lastWriteMs = m_clock.TickMs();
        try {
            m_snapshot.take(m_doc, m_lastWriteMs, true);
        } catch (...) {
            m_snapshot.forget();
        }
    }
}

void AutoSave::adoptNext(const QString& id, std::unique_ptr<GameLock> lock)
{
    m_adoptId = id;
    m_adoptLock = std::move(lock);
}

void AutoSave::dropAdoption()
{
    m_adoptId.clear();
    m_adoptLock.reset();
}

void AutoSave::saveNow()
{
    if (m_finished)
        return;
    // The writes asked for end, and so do their reports.
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (!wantsCopy() || isCarrying())
        return;
    write(true);
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void AutoSave::look()
{
    if (m_finished || m_writing || m_reading)
        return;
    if (m_doc.GetCompleted() == 1 && m_copyOnDisk) {
        m_copyOnDisk = false;
        m_picturesOnDisk = false;
        m_snapshot.forget();
        m_pool.start([record = m_store.recordFile(m_id), pictures = m_store.picturesFile(m_id)] {
            QFile::remove(record);
            QFile::remove(pictures);
        });
        return;
    }
    if (!wantsCopy() || isCarrying())
        return;
    const std::uint64_t now = m_clock.TickMs();
    if (m_lastLookMs && now - *m_lastLookMs < kIntervalMs)
        return;
    m_lastLookMs = now;
    write(!m_copyOnDisk || now - m_lastWriteMs >= kClockIntervalMs);
}

void AutoSave::write(bool clockCounts)
{
    PlaySnapshot::Bytes fixed;
    try {
        fixed = m_snapshot.take(m_doc, m_clock.TickMs(), clockCounts);
    } catch (...) {
        writeDone(false, false, currentFailure());
        return;
    }
    if (fixed)
        startWrite(std::move(fixed));
}

void AutoSave::startWrite(PlaySnapshot::Bytes fixed)
{
    const std::uint64_t now = m_clock.TickMs();
    GameSummary summary{m_name, m_doc.ElapsedSeconds(now), CountJoins(m_doc).percent(), {}};
    std::shared_ptr<PlayPictureParts> pictures;
    std::uint64_t picturesSize = 0;
    try {
        if (!m_lock) {
            if (m_id.isEmpty())
                m_id = m_store.newId();
            QString reason;
            m_lock = m_store.lock(m_id, &reason);
            if (!m_lock) {
                writeDone(false, false, reason);
                return;
            }
        }
        if (m_thumbnail)
            summary.thumbnail = m_thumbnail();
        // Read in place by the worker: the document keeps these pictures
        // until gameEnding(), which waits for the worker.
        pictures = std::make_shared<PlayPictureParts>(WritePlayPictureParts(m_doc));
        picturesSize = pictures->size();
    } catch (...) {
        writeDone(false, false, currentFailure());
        return;
    }
    if (m_picturesOnDisk)
        pictures.reset();
    m_writing = true;
    m_copyOnDisk = true;
    m_lastWriteMs = now;
    auto job = [this, writer = m_writer, record = toFilesystemPath(m_store.recordFile(m_id)),
                picturesPath = toFilesystemPath(m_store.picturesFile(m_id)), summary = std::move(summary),
                fixed = std::move(fixed), pictures = std::move(pictures), picturesSize] {
        bool picturesWritten = false;
        QString reason;
        try {
            if (pictures) {
                writer(picturesPath, pictures->parts);
                picturesWritten = true;
            }
            const std::vector<std::uint8_t> head = GameStore::recordHead(summary, picturesSize);
            const std::span<const std::uint8_t> parts[] = {head, *fixed};
            writer(record, parts);
        } catch (...) {
            reason = currentFailure();
        }
        QMetaObject::invokeMethod(
            this, [this, picturesWritten, reason] { writeDone(reason.isEmpty(), picturesWritten, reason); },
            Qt::QueuedConnection);
    };
    m_pool.start(std::move(job));
}

void AutoSave::writeDone(bool ok, bool picturesWritten, const QString& reason)
{
    m_writing = false;
    m_picturesOnDisk = m_picturesOnDisk || picturesWritten;
    if (!ok) {
        // The same game is written again at the next look that is due.
        m_snapshot.forget();
        if (m_failure.isEmpty())
            qWarning().noquote() << QCoreApplication::translate("AutoSave", "vorpel: ゲームの自動保存に失敗しました。あとでもう一度保存します（%1）")
                                        .arg(reason);
    }
    const QString failure = ok ? QString() : reason;
    if (failure != m_failure) {
        m_failure = failure;
        emit failureChanged(failure);
    }
    emit writeEnded(ok);
}

void AutoSave::letGo(bool keepCopy)
{
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (m_lock && !(keepCopy && m_copyOnDisk)) {
        m_store.remove(m_id, *m_lock);
    }
    m_lock.reset();
    m_id.clear();
    m_copyOnDisk = false;
    m_picturesOnDisk = false;
    m_snapshot.forget();
    m_lastLookMs.reset();
    m_lastWriteMs = 0;
}

void AutoSave::finish()
{
    if (m_finished)
        return;
    saveNow();
    m_finished = true;
    m_timer.stop();
    // While a piece is carried the last copy stays: it is a whole game.
    letGo(wantsCopy() || isCarrying());
}
