#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jigsaw {

// The largest number a MIDI variable-length quantity can hold (four bytes of
// seven bits each).
inline constexpr std::uint32_t kMaxVariableLength = 0x0FFFFFFF;

// Appends `value` as a variable-length quantity: seven bits a byte, most
// significant group first, the top bit set on every byte but the last.
// Throws std::out_of_range above kMaxVariableLength.
void appendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value);

// One track of a Standard MIDI File, collected as events at absolute ticks
// and encoded in time order. At one tick, note-offs come first, then meta
// events, then controller and program changes, then note-ons, so that a key
// struck again right after its release sounds and settings apply to the
// notes that start with them. Channels are 0 to 15; keys, velocities,
// programs and controller values 0 to 127 (velocity 1 to 127 for notes).
// Invalid arguments throw std::invalid_argument.
class MidiTrack {
public:
    explicit MidiTrack(std::string name);

    // Meta events.
    void tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter);
    void timeSignature(std::uint32_t tick, int numerator, int denominatorPowerOfTwo);
    // `accidentals`: -7 (seven flats) to 7 (seven sharps).
    void keySignature(std::uint32_t tick, int accidentals, bool minor);

    // Channel events.
    void program(std::uint32_t tick, int channel, int program);
    void controller(std::uint32_t tick, int channel, int controller, int value);
    // A note-on at `tick` and its note-off (message 0x80, release velocity
    // 64) `duration` ticks later; `duration` must be positive.
    void note(std::uint32_t tick, std::uint32_t duration, int channel, int key, int velocity);

    // The tick after the last event.
    std::uint32_t lastTick() const { return m_lastTick; }

    // The "MTrk" chunk: the track name, the events and end-of-track at
    // `endTick`. Throws std::invalid_argument when an event lies after
    // `endTick`, or when a note starts on a channel and key that still
    // sounds, which would leave its releases ambiguous.
    std::vector<std::uint8_t> encode(std::uint32_t endTick) const;

private:
    struct Event {
        std::uint32_t tick;
        int order;
        std::vector<std::uint8_t> bytes;
    };
    void add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes);

    std::string m_name;
    std::vector<Event> m_events;
    std::uint32_t m_lastTick = 0;
};

// A format-1 Standard MIDI File: the "MThd" chunk with `ticksPerQuarter`
// as division, then every track ending at `endTick`. The first track
// usually holds the tempo map.
std::vector<std::uint8_t> encodeMidiFile(int ticksPerQuarter, const std::vector<MidiTrack>& tracks,
                                         std::uint32_t endTick);

}  // namespace jigsaw
