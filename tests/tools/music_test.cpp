// The background music: the MIDI writer's encodings, and the five built-in
// tracks read back by a strict reader and checked for what a looping
// background piece needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "bgm_tracks.h"
#include "byte_io.h"
#include "midi_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Big-endian numbers and variable-length quantities; a read past the end throws.
std::uint32_t bigEndian(jigsaw::ByteReader& in, int count)
{
    std::uint32_t v = 0;
    for (int i = 0; i < count; ++i)
        v = v << 8 | in.u8();
    return v;
}

std::uint32_t variableLength(jigsaw::ByteReader& in)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        const std::uint8_t b = in.u8();
        v = v << 7 | (b & 0x7F);
        if (!(b & 0x80))
            return v;
    }
    throw std::runtime_error("variable-length quantity longer than four bytes");
}

std::string chunkId(jigsaw::ByteReader& in)
{
    const auto id = in.bytes(4);
    return {id.begin(), id.end()};
}

struct Note {
    int channel, key, velocity;
    std::uint32_t on, off;
};

struct Song {
    int division = 0;
    std::map<std::uint32_t, std::uint32_t> tempi;  // tick -> microseconds per quarter
    int beats = 0, beatPowerOfTwo = 0, accidentals = 99, minor = -1;
    std::set<std::pair<int, int>> programs;        // channel, program
    std::vector<Note> notes;
    std::uint32_t endTick = 0;
};

// A strict Standard MIDI File reader for format-1 files without running
// status: chunk lengths must match, every track must end with end-of-track,
// and each note-on must be released on its channel and key in its track.
Song readSong(const Bytes& bytes)
{
    Song song;
    jigsaw::ByteReader file(bytes);
    if (chunkId(file) != "MThd" || bigEndian(file, 4) != 6 || bigEndian(file, 2) != 1)
        throw std::runtime_error("not a format-1 header");
    const std::uint32_t trackCount = bigEndian(file, 2);
    song.division = static_cast<int>(bigEndian(file, 2));
    if (song.division == 0 || song.division >= 0x8000)
        throw std::runtime_error("bad division");
    for (std::uint32_t t = 0; t < trackCount; ++t) {
        if (chunkId(file) != "MTrk")
            throw std::runtime_error("missing track chunk");
        jigsaw::ByteReader track(file.bytes(bigEndian(file, 4)));
        std::map<std::pair<int, int>, Note> sounding;
        std::uint32_t tick = 0;
        bool ended = false;
        while (track.remaining() > 0) {
            if (ended)
                throw std::runtime_error("events after end-of-track");
            tick += variableLength(track);
            const std::uint8_t status = track.u8();
            if (status == 0xFF) {
                const std::uint8_t type = track.u8();
                const std::uint32_t size = variableLength(track);
                const auto data = track.bytes(size);
                if (type == 0x2F && size == 0) {
                    ended = true;
                    song.endTick = std::max(song.endTick, tick);
                } else if (type == 0x51 && size == 3) {
                    song.tempi[tick] = static_cast<std::uint32_t>(data[0] << 16 | data[1] << 8 | data[2]);
                } else if (type == 0x58 && size == 4) {
                    song.beats = data[0];
                    song.beatPowerOfTwo = data[1];
                } else if (type == 0x59 && size == 2) {
                    song.accidentals = static_cast<std::int8_t>(data[0]);
                    song.minor = data[1];
                }
                continue;
            }
            if (!(status & 0x80))
                throw std::runtime_error("running status");
            const int kind = status & 0xF0, channel = status & 0x0F;
            const int a = track.u8();
            const int b = (kind == 0xC0 || kind == 0xD0) ? 0 : track.u8();
            if (a > 127 || b > 127 || kind == 0xF0)
                throw std::runtime_error("bad channel message");
            if (kind == 0xC0)
                song.programs.insert({channel, a});
            if (kind == 0x90 && b > 0) {
                if (!sounding.emplace(std::pair{channel, a}, Note{channel, a, b, tick, 0}).second)
                    throw std::runtime_error("note struck twice");
            } else if (kind == 0x80 || kind == 0x90) {
                const auto on = sounding.find({channel, a});
                if (on == sounding.end())
                    throw std::runtime_error("note released that was not struck");
                on->second.off = tick;
                song.notes.push_back(on->second);
                sounding.erase(on);
            }
        }
        if (!ended)
            throw std::runtime_error("track without end-of-track");
        if (!sounding.empty())
            throw std::runtime_error("note still sounding at end-of-track");
    }
    if (file.remaining() > 0)
        throw std::runtime_error("bytes after the last track");
    return song;
}

double seconds(const Song& song)
{
    double total = 0;
    std::uint32_t tick = 0, tempo = 500000;
    for (const auto& [at, next] : song.tempi) {
        total += double(at - tick) * tempo / song.division / 1e6;
        tick = at;
        tempo = next;
    }
    return total + double(song.endTick - tick) * tempo / song.division / 1e6;
}

int mostNotesAtOnce(const Song& song)
{
    std::vector<std::pair<std::uint32_t, int>> edges;
    for (const Note& n : song.notes) {
        edges.push_back({n.on, 1});
        edges.push_back({n.off, -1});
    }
    std::sort(edges.begin(), edges.end());  // releases before strikes at one tick
    int now = 0, most = 0;
    for (const auto& [tick, change] : edges)
        most = std::max(most, now += change);
    return most;
}

TEST(MidiFile, VariableLengthQuantitiesRoundTripAndAreBounded)
{
    const std::array<std::pair<std::uint32_t, std::size_t>, 8> cases{
        {{0, 1}, {127, 1}, {128, 2}, {0x3FFF, 2}, {0x4000, 3}, {0x1FFFFF, 3}, {0x200000, 4}, {0x0FFFFFFF, 4}}};
    for (const auto& [value, size] : cases) {
        Bytes out;
        jigsaw::appendVariableLength(out, value);
        EXPECT_EQ(out.size(), size) << value;
        jigsaw::ByteReader r(out);
        EXPECT_EQ(variableLength(r), value);
        EXPECT_EQ(r.remaining(), 0u);
    }
    Bytes out;
    jigsaw::appendVariableLength(out, 128);
    EXPECT_EQ(out, (Bytes{0x81, 0x00}));
    EXPECT_THROW(jigsaw::appendVariableLength(out, 0x10000000), std::out_of_range);
    EXPECT_THROW(jigsaw::appendVariableLength(out, 0xFFFFFFFF), std::out_of_range);
}

TEST(MidiFile, WritesBigEndianChunksInTimeOrder)
{
    jigsaw::MidiTrack track("T");
    track.note(96, 96, 0, 60, 100);   // repeated key right after its release
    track.note(0, 96, 0, 60, 90);
    track.tempo(0, 500000);
    const Bytes file = jigsaw::encodeMidiFile(96, {track}, 200);
    const Bytes expected{
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96,
        'M', 'T', 'r', 'k', 0, 0, 0, 32,
        0, 0xFF, 0x03, 1, 'T',
        0, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20,
        0, 0x90, 60, 90,
        96, 0x80, 60, 64,
        0, 0x90, 60, 100,
        96, 0x80, 60, 64,
        8, 0xFF, 0x2F, 0};
    EXPECT_EQ(file, expected);
}

TEST(MidiFile, RejectsNotesThatCannotBeWrittenUnambiguously)
{
    jigsaw::MidiTrack overlapping("O");
    overlapping.note(0, 100, 3, 64, 80);
    overlapping.note(50, 100, 3, 64, 80);
    EXPECT_THROW(overlapping.encode(200), std::invalid_argument);
    EXPECT_THROW(overlapping.encode(149), std::invalid_argument);

    jigsaw::MidiTrack track("X");
    EXPECT_THROW(track.note(0, 0, 0, 60, 80), std::invalid_argument);
    EXPECT_THROW(track.note(0, 10, 16, 60, 80), std::invalid_argument);
    EXPECT_THROW(track.note(0, 10, 0, 128, 80), std::invalid_argument);
    EXPECT_THROW(track.note(0, 10, 0, 60, 0), std::invalid_argument);
    EXPECT_THROW(track.note(jigsaw::kMaxVariableLength, 1, 0, 60, 80), std::invalid_argument);
}

TEST(BgmTracks, AreStrictMidiFilesThatLoopCleanly)
{
    for (int number = 1; number <= jigsaw::kBgmTrackCount; ++number) {
        SCOPED_TRACE(number);
        const Song song = readSong(jigsaw::BgmTrack(number));
        EXPECT_GE(seconds(song), 40.0);
        EXPECT_LE(seconds(song), 120.0);
        EXPECT_LE(mostNotesAtOnce(song), 16);

        // The piece is a whole number of bars long.
        ASSERT_GT(song.beats, 0);
        const std::uint32_t bar = static_cast<std::uint32_t>(song.beats * song.division * 4 >> song.beatPowerOfTwo);
        EXPECT_EQ(song.endTick % bar, 0u);

        // Sensible dynamics and ranges; only percussion on channel 10.
        for (const Note& n : song.notes) {
            EXPECT_GE(n.velocity, 1);
            EXPECT_LE(n.velocity, 100);
            EXPECT_LT(n.on, n.off);
            if (n.channel != 9) {
                EXPECT_GE(n.key, 28);
                EXPECT_LE(n.key, 96);
            }
        }

        // The last bar rests on the tonic: its lowest pitched note is the
        // key's keynote.
        const int tonic = ((song.accidentals * 7 % 12 + 12) % 12 + (song.minor == 1 ? 9 : 0)) % 12;
        int lowest = 128;
        for (const Note& n : song.notes)
            if (n.channel != 9 && n.on <= song.endTick - bar && n.off > song.endTick - bar)
                lowest = std::min(lowest, n.key);
        EXPECT_EQ(lowest % 12, tonic);
    }
    EXPECT_THROW(jigsaw::BgmTrack(0), std::out_of_range);
    EXPECT_THROW(jigsaw::BgmTrack(jigsaw::kBgmTrackCount + 1), std::out_of_range);
}

TEST(BgmTracks, AreFiveDifferentPiecesWrittenBesideThePlayer)
{
    std::set<std::tuple<std::uint32_t, int, int>> tempoAndKey;
    std::set<std::set<std::pair<int, int>>> instrumentations;
    for (int number = 1; number <= jigsaw::kBgmTrackCount; ++number) {
        const Bytes bytes = jigsaw::BgmTrack(number);
        const Song song = readSong(bytes);
        tempoAndKey.insert({song.tempi.at(0), song.accidentals, song.minor});
        instrumentations.insert(song.programs);

        std::ifstream built(std::string(BUILT_MUSIC_DIR) + "/BGM0" + std::to_string(number) + ".mid",
                            std::ios::binary);
        ASSERT_TRUE(built) << number;
        EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(built), {}), bytes) << number;
    }
    EXPECT_EQ(tempoAndKey.size(), 5u);
    EXPECT_EQ(instrumentations.size(), 5u);
}

}  // namespace
