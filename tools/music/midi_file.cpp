#include "midi_file.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <utility>

namespace jigsaw {

namespace {

// Order of events that share a tick.
constexpr int kOrderNoteOff = 0;
constexpr int kOrderMeta = 1;
constexpr int kOrderSetting = 2;
constexpr int kOrderNoteOn = 3;

void appendBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void appendBigEndian16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void appendChunk(std::vector<std::uint8_t>& out, const char (&id)[5], const std::vector<std::uint8_t>& body)
{
    if (body.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::invalid_argument("MIDI chunk too large");
    out.insert(out.end(), id, id + 4);
    appendBigEndian32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

std::uint8_t checkedByte(int value, int low, int high, const char* what)
{
    if (value < low || value > high)
        throw std::invalid_argument(what);
    return static_cast<std::uint8_t>(value);
}

std::uint8_t status(int kind, int channel)
{
    return static_cast<std::uint8_t>(kind | checkedByte(channel, 0, 15, "MIDI channel out of range"));
}

std::vector<std::uint8_t> metaEvent(std::uint8_t type, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> bytes{0xFF, type};
    appendVariableLength(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

}  // namespace

void appendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    if (value > kMaxVariableLength)
        throw std::out_of_range("MIDI variable-length quantity above 0x0FFFFFFF");
    std::array<std::uint8_t, 4> groups{};
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

MidiTrack::MidiTrack(std::string name) : m_name(std::move(name)) {}

void MidiTrack::add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes)
{
    if (tick > kMaxVariableLength)
        throw std::invalid_argument("MIDI event time out of range");
    m_events.push_back(Event{tick, order, std::move(bytes)});
    m_lastTick = std::max(m_lastTick, tick);
}

void MidiTrack::tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter)
{
    if (microsecondsPerQuarter == 0 || microsecondsPerQuarter > 0xFFFFFF)
        throw std::invalid_argument("MIDI tempo out of range");
    add(tick, kOrderMeta,
        metaEvent(0x51, {static_cast<std::uint8_t>(microsecondsPerQuarter >> 16),
                         static_cast<std::uint8_t>(microsecondsPerQuarter >> 8),
                         static_cast<std::uint8_t>(microsecondsPerQuarter)}));
}

void MidiTrack::timeSignature(std::uint32_t tick, int numerator, int denominatorPowerOfTwo)
{
    add(tick, kOrderMeta,
        metaEvent(0x58, {checkedByte(numerator, 1, 32, "MIDI time signature out of range"),
                         checkedByte(denominatorPowerOfTwo, 0, 6, "MIDI time signature out of range"), 24, 8}));
}

void MidiTrack::keySignature(std::uint32_t tick, int accidentals, bool minor)
{
    if (accidentals < -7 || accidentals > 7)
        throw std::invalid_argument("MIDI key signature out of range");
    add(tick, kOrderMeta,
        metaEvent(0x59, {static_cast<std::uint8_t>(static_cast<std::int8_t>(accidentals)),
                         static_cast<std::uint8_t>(minor ? 1 : 0)}));
}

void MidiTrack::program(std::uint32_t tick, int channel, int program)
{
    add(tick, kOrderSetting, {status(0xC0, channel), checkedByte(program, 0, 127, "MIDI program out of range")});
}

void MidiTrack::controller(std::uint32_t tick, int channel, int controller, int value)
{
    add(tick, kOrderSetting,
        {status(0xB0, channel), checkedByte(controller, 0, 127, "MIDI controller out of range"),
         checkedByte(value, 0, 127, "MIDI controller value out of range")});
}

void MidiTrack::note(std::uint32_t tick, std::uint32_t duration, int channel, int key, int velocity)
{
    if (duration == 0 || duration > kMaxVariableLength - tick)
        throw std::invalid_argument("MIDI note duration out of range");
    const std::uint8_t k = checkedByte(key, 0, 127, "MIDI key out of range");
    const std::uint8_t v = checkedByte(velocity, 1, 127, "MIDI velocity out of range");
    add(tick, kOrderNoteOn, {status(0x90, channel), k, v});
    add(tick + duration, kOrderNoteOff, {status(0x80, channel), k, 64});
}

std::vector<std::uint8_t> MidiTrack::encode(std::uint32_t endTick) const
{
    if (!m_events.empty() && m_lastTick > endTick)
        throw std::invalid_argument("MIDI event after the end of its track");
    std::vector<const Event*> order;
    order.reserve(m_events.size());
    for (const Event& e : m_events)
        order.push_back(&e);
    std::stable_sort(order.begin(), order.end(), [](const Event* a, const Event* b) {
        return a->tick != b->tick ? a->tick < b->tick : a->order < b->order;
    });

    std::vector<std::uint8_t> body;
    body.push_back(0);
    const std::vector<std::uint8_t> name = metaEvent(0x03, std::vector<std::uint8_t>(m_name.begin(), m_name.end()));
    body.insert(body.end(), name.begin(), name.end());

    std::array<bool, 16 * 128> sounding{};
    std::uint32_t now = 0;
    for (const Event* e : order) {
        const std::uint8_t kind = e->bytes[0] & 0xF0;
        if (kind == 0x90 || kind == 0x80) {
            bool& on = sounding[(e->bytes[0] & 0x0F) * 128 + e->bytes[1]];
            if (kind == 0x90 && on)
                throw std::invalid_argument("MIDI note struck while it still sounds");
            on = kind == 0x90;
        }
        appendVariableLength(body, e->tick - now);
        now = e->tick;
        body.insert(body.end(), e->bytes.begin(), e->bytes.end());
    }
    appendVariableLength(body, endTick - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> chunk;
    appendChunk(chunk, "MTrk", body);
    return chunk;
}

std::vector<std::uint8_t> encodeMidiFile(int ticksPerQuarter, const std::vector<MidiTrack>& tracks,
                                         std::uint32_t endTick)
{
    if (ticksPerQuarter < 1 || ticksPerQuarter > 0x7FFF)
        throw std::invalid_argument("MIDI division out of range");
    if (tracks.empty() || tracks.size() > 0xFFFF)
        throw std::invalid_argument("MIDI track count out of range");
    std::vector<std::uint8_t> header;
    appendBigEndian16(header, 1);
    appendBigEndian16(header, static_cast<std::uint16_t>(tracks.size()));
    appendBigEndian16(header, static_cast<std::uint16_t>(ticksPerQuarter));

    std::vector<std::uint8_t> file;
    appendChunk(file, "MThd", header);
    for (const MidiTrack& track : tracks) {
        const std::vector<std::uint8_t> chunk = track.encode(endTick);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

}  // namespace jigsaw
