// Writes the player's background music, "BGM01.mid" to "BGM05.mid", into the
// folder given on the command line.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "atomic_file.h"
#include "bgm_tracks.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder);
        for (int number = 1; number <= jigsaw::kBgmTrackCount; ++number) {
            const std::vector<std::uint8_t> bytes = jigsaw::BgmTrack(number);
            const std::span<const std::uint8_t> parts[] = {bytes};
            jigsaw::writeFileAtomically(folder / ("BGM0" + std::to_string(number) + ".mid"), parts);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
