#include "midi_data.h"

#include <cstdint>

namespace {

std::uint32_t bigEndian32(const QByteArray& bytes, qsizetype at)
{
    std::uint32_t v = 0;
    for (qsizetype i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
}

std::uint32_t littleEndian32(const QByteArray& bytes, qsizetype at)
{
    std::uint32_t v = 0;
    for (qsizetype i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
}

bool tagAt(const QByteArray& bytes, qsizetype at, const char* tag)
{
    return bytes.size() - at >= 4 && bytes.mid(at, 4) == QByteArrayView(tag, 4);
}

// The payload of the RIFF chunk `tag` among the chunks from `at`, or empty.
QByteArray riffChunk(const QByteArray& file, qsizetype at, const char* tag)
{
    while (file.size() - at >= 8) {
        const qint64 size = littleEndian32(file, at + 4);
        if (size > file.size() - at - 8)
            return {};
        if (tagAt(file, at, tag))
            return file.mid(at + 8, static_cast<qsizetype>(size));
        at += 8 + static_cast<qsizetype>(size) + (size & 1);
    }
    return {};
}

bool isWholeMidiFile(const QByteArray& smf)
{
    if (!tagAt(smf, 0, "MThd") || smf.size() < 14 || bigEndian32(smf, 4) < 6)
        return false;
    qsizetype at = 0;
    int tracks = 0;
    // A few bytes of padding after the last chunk are left alone.
    while (smf.size() - at >= 8) {
        const qint64 size = bigEndian32(smf, at + 4);
        if (size > smf.size() - at - 8)
            return false;
        if (tagAt(smf, at, "MTrk"))
            ++tracks;
        at += 8 + static_cast<qsizetype>(size);
    }
    return tracks > 0;
}

}  // namespace

QByteArray standardMidiFile(const QByteArray& file)
{
    QByteArray smf = file;
    if (tagAt(file, 0, "RIFF") && tagAt(file, 8, "RMID"))
        smf = riffChunk(file, 12, "data");
    return isWholeMidiFile(smf) ? smf : QByteArray();
}
