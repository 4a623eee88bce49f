#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace jigsaw {

// The attached message travels in the files as bytes of the Japanese Windows
// code page (CP932), so that files stay interchangeable; the programs work in
// UTF-8 and convert at the edge.

// True for a byte that starts a two-byte CP932 character.
constexpr bool isCp932LeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The length of the longest prefix of `bytes` of at most `maxBytes` bytes that
// does not end in the middle of a two-byte character.
std::size_t cp932PrefixLength(std::string_view bytes, std::size_t maxBytes);

// UTF-8 to CP932. Throws FormatError naming the first character that CP932
// cannot hold, or when the input is not valid UTF-8.
std::string utf8ToCp932(std::string_view utf8);

// CP932 to UTF-8; a byte sequence that is not CP932 becomes U+FFFD.
std::string cp932ToUtf8(std::string_view cp932);

// One line of the attached message as stored: converted to CP932 and cut to
// 100 bytes on a character boundary.
std::string encodeMessageLine(std::string_view utf8);

}  // namespace jigsaw
