#pragma once

#include <QString>

#include <functional>

#include "music_device.h"

class CVorpelDoc;
class FileChooser;
class QWidget;

// The background-music commands of the frame: the five built-in tracks, a
// MIDI file of the user's, play again, stop, and the loop that starts a piece
// again when it reaches its end. The music state shown in the menus
// (m_nBgmTrack) lives in the document; whether a device is open lives here.
// Every failure is shown through `report`, and the command then goes on as far
// as it can: a failed open leaves no device open and the music silent, so
// that every command works again; a failed play still records the track.
class BackgroundMusic {
public:
    using Reporter = std::function<void(const QString& text)>;
    // The full path of a data file beside the program, or empty when missing.
    using Locator = std::function<QString(const QString& name)>;

    // Built-in tracks are looked up with findDataFile.
    BackgroundMusic(CVorpelDoc& doc, MusicDevice& device, Reporter report);
    BackgroundMusic(CVorpelDoc& doc, MusicDevice& device, Reporter report, Locator locate);
    ~BackgroundMusic();

    BackgroundMusic(const BackgroundMusic&) = delete;
    BackgroundMusic& operator=(const BackgroundMusic&) = delete;

    // Commands 32792 … 32798: plays "BGM0k.mid", k = 1 … 5.
    void playTrack(int track);
    // Command 32803: asks for a MIDI file and plays it.
    void chooseAndPlay(FileChooser& chooser, QWidget* parent);
    // The rest of 32803 once a file is chosen.
    void playFile(const QString& path);
    // Command 32802: plays the open file again from the start.
    void replay();
    // Command 32789: stops; the file stays open for 32802.
    void stop();
    // Closes the device, as at program end.
    void close();

    bool isOpen() const { return m_bBgmOpen; }
    // Enabled and checked state of the commands above (music_commands.h).
    bool isCommandEnabled(int id) const;
    bool isCommandChecked(int id) const;

    // The built-in track of a command id, or 0 for other ids.
    static int trackOfCommand(int id);
    static int commandOfTrack(int track);
    // "BGM01.mid" … "BGM05.mid".
    static QString trackFileName(int track);
    // The menu text of a built-in track.
    static QString trackTitle(int track);

private:
    bool openDevice(const QString& path);
    void startPlay();
    void pieceEnded(MusicEnd end);

    CVorpelDoc& m_doc;
    MusicDevice& m_device;
    Reporter m_report;
    Locator m_locate;
    bool m_bBgmOpen = false;
    // The built-in track the open device holds, 0 for a file of the user's.
    int m_nOpenTrack = 0;
    QString m_lastFolder;
};
