#include "background_music.h"

#include "data_files.h"
#include "dialog_folder.h"
#include "file_chooser.h"
#include "music_commands.h"
#include "vorpel_doc.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <array>
#include <utility>

namespace {

constexpr std::array kTrackCommands{kCmdBgmTrack1, kCmdBgmTrack2, kCmdBgmTrack3, kCmdBgmTrack4, kCmdBgmTrack5};

// The open-file dialog's filters: MIDI files (".rmi", ".mid") or anything.
QString midiFilter()
{
    return QCoreApplication::translate("BackgroundMusic", "MIDIﾌｧｲﾙ (*.RMI *.MID *.rmi *.mid);;すべてのﾌｧｲﾙ (*)");
}

}  // namespace

BackgroundMusic::BackgroundMusic(CVorpelDoc& doc, MusicDevice& device, Reporter report)
    : BackgroundMusic(doc, device, std::move(report),
                      [](const QString& name) { return findDataFile(QStringLiteral("vorpel"), name); })
{
}

BackgroundMusic::BackgroundMusic(CVorpelDoc& doc, MusicDevice& device, Reporter report, Locator locate)
    : m_doc(doc), m_device(device), m_report(std::move(report)), m_locate(std::move(locate))
{
}

BackgroundMusic::~BackgroundMusic()
{
    close();
}

int BackgroundMusic::trackOfCommand(int id)
{
    for (std::size_t i = 0; i < kTrackCommands.size(); ++i) {
        if (kTrackCommands[i] == id)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

int BackgroundMusic::commandOfTrack(int track)
{
    return kTrackCommands.at(static_cast<std::size_t>(track - 1));
}

QString BackgroundMusic::trackFileName(int track)
{
    return QStringLiteral("BGM%1.mid").arg(track, 2, 10, QLatin1Char('0'));
}

QString BackgroundMusic::trackTitle(int track)
{
    static const char* const kTitles[] = {
        QT_TRANSLATE_NOOP("BackgroundMusic", "オルゴールのワルツ"), QT_TRANSLATE_NOOP("BackgroundMusic", "午後のボサノバ"),
        QT_TRANSLATE_NOOP("BackgroundMusic", "草原のパストラール"), QT_TRANSLATE_NOOP("BackgroundMusic", "夜のラウンジ"),
        QT_TRANSLATE_NOOP("BackgroundMusic", "星の子守歌")};
    return QCoreApplication::translate("BackgroundMusic", "曲%1 %2")
        .arg(track)
        .arg(QCoreApplication::translate("BackgroundMusic", kTitles[track - 1]));
}

void BackgroundMusic::playTrack(int track)
{
    const QString name = trackFileName(track);
    const QString path = m_locate(name);
    close();
    if (path.isEmpty()) {
        m_report(QCoreApplication::translate("BackgroundMusic", "BGM ファイル「%1」が見つかりません。").arg(name));
        return;
    }
    if (!openDevice(path))
        return;
    m_nOpenTrack = track;
    startPlay();
    m_doc.SetBgmTrack(track);
}

void BackgroundMusic::chooseAndPlay(FileChooser& chooser, QWidget* parent)
{
    const QString path =
        chooser.openFile(parent, QCoreApplication::translate("BackgroundMusic", "ファイルを開く"),
                         dialogStartFolder(m_lastFolder, DialogUse::Open, QStandardPaths::MusicLocation),
                         anyCaseFilter(midiFilter()));
    if (path.isEmpty())
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    playFile(path);
}

void BackgroundMusic::playFile(const QString& path)
{
    close();
    if (!openDevice(path))
        return;
    m_nOpenTrack = 0;
    replay();
}

void BackgroundMusic::replay()
{
    if (!m_bBgmOpen)
        return;
    startPlay();
    m_doc.SetBgmTrack(1);
}

void BackgroundMusic::stop()
{
    if (m_bBgmOpen)
        m_device.stop();
    m_doc.SetBgmTrack(0);
}

void BackgroundMusic::close()
{
    if (!m_bBgmOpen)
        return;
    m_device.close();
    m_bBgmOpen = false;
    m_nOpenTrack = 0;
    // With the device gone nothing plays: a state other than silent would
    // keep 開く and the track of that state disabled with nothing to stop.
    m_doc.SetBgmTrack(0);
}

bool BackgroundMusic::openDevice(const QString& path)
{
    const QString error = m_device.open(path);
    if (!error.isEmpty()) {
        m_report(error);
        return false;
    }
    m_bBgmOpen = true;
    return true;
}

void BackgroundMusic::startPlay()
{
    const QString error = m_device.play([this](MusicEnd end) { pieceEnded(end); });
    if (!error.isEmpty())
        m_report(error);
}

void BackgroundMusic::pieceEnded(MusicEnd end)
{
    // Only a piece that played to its end starts again; a stop or a new
    // play must not bring the music back.
    if (end == MusicEnd::Finished && m_bBgmOpen)
        startPlay();
}

bool BackgroundMusic::isCommandEnabled(int id) const
{
    const int track = m_doc.GetBgmTrack();
    switch (id) {
    case kCmdBgmOpen:
        return track != 1;
    case kCmdBgmPlay:
        return track != 1 && m_bBgmOpen;
    case kCmdBgmStop:
        return track != 0 && m_bBgmOpen;
    default:
        return trackOfCommand(id) == 0 || track != trackOfCommand(id);
    }
}

bool BackgroundMusic::isCommandChecked(int id) const
{
    const int track = trackOfCommand(id);
    return track != 0 && m_bBgmOpen && m_doc.GetBgmTrack() != 0 && m_nOpenTrack == track;
}
