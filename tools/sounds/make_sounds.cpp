// Writes the player's sound effects, "on.wav", "ok.wav" and "off.wav", into
// the folder given on the command line.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <span>
#include <vector>

#include "atomic_file.h"
#include "wave_file.h"
#include "wave_synth.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder);
        for (const jigsaw::PlayerSound& sound : jigsaw::playerSounds()) {
            const std::vector<std::uint8_t> bytes = jigsaw::encodeWave(sound.make());
            const std::span<const std::uint8_t> parts[] = {bytes};
            jigsaw::writeFileAtomically(folder / sound.fileName, parts);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
