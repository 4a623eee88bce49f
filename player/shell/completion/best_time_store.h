#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "best_times.h"

// The records file of finished puzzles (best_times.h) in the user's data
// folder. A file that is not a records file is renamed aside, told once in a
// note, and a new one is started; a file that cannot be read is left alone
// and nothing is recorded.
class BestTimeStore {
public:
    explicit BestTimeStore(QString path) : m_path(std::move(path)) {}

    // $XDG_DATA_HOME/vorpel/records.txt, else ~/.local/share/vorpel/records.txt.
    static QString defaultPath();
    const QString& path() const { return m_path; }

    struct Loaded {
        std::vector<PuzzleRecord> records;
        // For the user: where a damaged file was put aside.
        QString note;
        // Why the file cannot be read or set aside; the records are then
        // not to be written.
        QString failure;
    };
    Loaded load() const;

    struct Recorded {
        std::optional<CompletionRecord> record;  // none when nothing was recorded
        QString note;
    };
    // Adds the finished game of `doc`, played from the file `name`, at `now`
    // (seconds since 1970) and writes the file atomically.
    Recorded record(const CVorpelDoc& doc, const QString& name, std::int64_t now) const;

private:
    QString m_path;
};
