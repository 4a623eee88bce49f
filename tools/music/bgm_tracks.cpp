#include "bgm_tracks.h"

#include <stdexcept>
#include <string>

#include "bgm_pieces.h"

namespace jigsaw {

std::vector<std::uint8_t> BgmTrack(int number)
{
    switch (number) {
    case 1: return music::musicBoxWaltz();
    case 2: return music::bossaAfternoon();
    case 3: return music::meadowPastoral();
    case 4: return music::nightLounge();
    case 5: return music::starLullaby();
    default: throw std::out_of_range("no built-in music track " + std::to_string(number));
    }
}

}  // namespace jigsaw
