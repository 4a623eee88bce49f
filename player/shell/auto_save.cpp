#include "auto_save.h"

#include "auto_save_folder.h"
#include "error_text.h"
#include "file_path.h"
#include "format_error.h"

#include <QCoreApplication>
#include <QDebug>

#include <exception>
#include <new>
#include <string>
#include <utility>

AutoSave::AutoSave(CVorpelDoc& doc, GameClock& clock, AutoSaveFolder& folder, CopyWriter writer, QObject* parent)
    : QObject(parent), m_doc(doc), m_clock(clock), m_folder(folder), m_writer(std::move(writer))
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
    return m_snapshot.pictures() && m_doc.GetPlayable() == 1 && m_doc.GetCompleted() != 1 &&
           m_doc.GetModified() == 1;
}

bool AutoSave::isCarrying() const
{
    return m_doc.GetHolding() != 0 || m_doc.GetTrayDrag() != 0;
}

void AutoSave::gameStarted(const QString& name)
{
    m_name = name;
    m_lastLookMs.reset();
    try {
        m_snapshot.startGame(m_doc);
    } catch (const jigsaw::FormatError&) {
        m_snapshot = PlaySnapshot();
    } catch (const std::bad_alloc&) {
        m_snapshot = PlaySnapshot();
    }
    const QString aside = m_folder.asideCopy();
    m_pool.start([aside] { AutoSaveFolder::removeCopy(aside); });
}

void AutoSave::copyAdopted()
{
    m_copyOnDisk = true;
    if (wantsCopy())
        m_snapshot.takeIfChanged(m_doc, m_clock.TickMs());
}

void AutoSave::look()
{
    if (m_finished)
        return;
    if (!wantsCopy()) {
        if (m_copyOnDisk)
            removeCopy();
        return;
    }
    if (isCarrying() || m_writing)
        return;
    const std::uint64_t now = m_clock.TickMs();
    if (m_lastLookMs && now - *m_lastLookMs < kIntervalMs)
        return;
    m_lastLookMs = now;
    PlaySnapshot::Bytes fixed;
    try {
        fixed = m_snapshot.takeIfChanged(m_doc, now);
    } catch (const std::bad_alloc&) {
        return;
    }
    if (fixed)
        startWrite(std::move(fixed));
}

void AutoSave::startWrite(PlaySnapshot::Bytes fixed)
{
    m_writing = true;
    m_copyOnDisk = true;
    const QString copy = m_folder.currentCopy();
    auto job = [this, writer = m_writer, path = toFilesystemPath(copy),
                namePath = toFilesystemPath(AutoSaveFolder::nameFileOf(copy)), name = m_name.toUtf8(),
                fixed = std::move(fixed), pictures = m_snapshot.pictures()] {
        bool ok = true;
        QString reason;
        try {
            const std::span<const std::uint8_t> nameBytes(reinterpret_cast<const std::uint8_t*>(name.constData()),
                                                          static_cast<std::size_t>(name.size()));
            writer(namePath, std::span(&nameBytes, 1));
            const std::span<const std::uint8_t> parts[] = {*fixed, *pictures};
            writer(path, parts);
        } catch (const std::exception& e) {
            ok = false;
            reason = errorText(e);
        }
        m_lastWriteOk = ok;
        QMetaObject::invokeMethod(this, [this, ok, reason] { writeDone(ok, reason); }, Qt::QueuedConnection);
    };
    m_pool.start(std::move(job));
}

void AutoSave::writeDone(bool ok, const QString& reason)
{
    m_writing = false;
    if (!ok) {
        // The same game is written again at the next look that is due.
        m_snapshot.forget();
        if (!m_failing)
            qWarning().noquote() << QCoreApplication::translate("AutoSave", "vorpel: ゲームの自動保存に失敗しました。あとでもう一度保存します（%1）")
                                        .arg(reason);
    }
    m_failing = !ok;
    emit writeEnded(ok);
}

void AutoSave::removeCopy()
{
    m_copyOnDisk = false;
    m_snapshot.forget();
    const QString copy = m_folder.currentCopy();
    m_pool.start([copy] { AutoSaveFolder::removeCopy(copy); });
}

void AutoSave::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_timer.stop();
    if (wantsCopy() && !isCarrying()) {
        m_pool.waitForDone();
        if (!m_lastWriteOk)
            m_snapshot.forget();
        try {
            if (PlaySnapshot::Bytes fixed = m_snapshot.takeIfChanged(m_doc, m_clock.TickMs()))
                startWrite(std::move(fixed));
        } catch (const std::bad_alloc&) {
        }
    } else if (!wantsCopy()) {
        removeCopy();
    }
    // While a piece is carried the last copy stays: it is a whole game.
    m_pool.waitForDone();
}
