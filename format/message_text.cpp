#include "message_text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>

#include "format_error.h"
#include "jzt_file.h"

namespace jigsaw {

namespace {

// An iconv descriptor for one conversion, closed on scope exit.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw FormatError(ErrorCode::CharsetConversionUnavailable, {from, to});
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns false at an invalid or unconvertible
    // sequence, leaving `in` there.
    bool convert(std::string_view& in, std::string& out)
    {
        char buffer[256];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence that starts with `b` (1 for a stray byte).
std::size_t utf8SequenceLength(unsigned char b)
{
    if (b >= 0xF0)
        return 4;
    if (b >= 0xE0)
        return 3;
    if (b >= 0xC0)
        return 2;
    return 1;
}

// Characters that Japanese input methods produce in their Unicode form but
// that CP932 holds under the code point of their full-width look-alike.
constexpr std::pair<std::string_view, std::string_view> kLookAlikes[] = {
    {"\u301C", "\uFF5E"},  // wave dash
    {"\u2016", "\u2225"},  // double vertical line
    {"\u2212", "\uFF0D"},  // minus sign
    {"\u2014", "\u2015"},  // em dash
    {"\u00A2", "\uFFE0"},  // cent sign
    {"\u00A3", "\uFFE1"},  // pound sign
    {"\u00AC", "\uFFE2"},  // not sign
};

}  // namespace

std::size_t cp932PrefixLength(std::string_view bytes, std::size_t maxBytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t len = isCp932LeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + len > maxBytes)
            break;
        i += len;
    }
    return i < bytes.size() ? i : bytes.size();
}

std::string utf8ToCp932(std::string_view utf8)
{
    std::string normalized;
    normalized.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        bool replaced = false;
        for (const auto& [from, to] : kLookAlikes) {
            if (utf8.substr(i).starts_with(from)) {
                normalized += to;
                i += from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            normalized += utf8[i++];
    }

    Converter cv("CP932", "UTF-8");
    std::string out;
    std::string_view in = normalized;
    if (!cv.convert(in, out)) {
        const std::size_t len = std::min(utf8SequenceLength(static_cast<unsigned char>(in.front())), in.size());
        throw FormatError(ErrorCode::MessageCharacterNotInCp932, {std::string(in.substr(0, len))});
    }
    return out;
}

std::string cp932ToUtf8(std::string_view cp932)
{
    Converter cv("UTF-8", "CP932");
    std::string out;
    std::string_view in = cp932;
    while (!cv.convert(in, out)) {
        out += "\uFFFD";
        // A lead byte swallows its trail byte only when that byte could be one,
        // so that a broken pair does not take a good character with it.
        const auto trail = in.size() >= 2 ? static_cast<unsigned char>(in[1]) : 0;
        const bool pair = isCp932LeadByte(static_cast<unsigned char>(in.front())) && trail >= 0x40 &&
                          trail <= 0xFC && trail != 0x7F;
        in.remove_prefix(pair ? 2 : 1);
    }
    return out;
}

std::string encodeMessageLine(std::string_view utf8)
{
    std::string bytes = utf8ToCp932(utf8);
    bytes.resize(cp932PrefixLength(bytes, kMessageLineMax));
    return bytes;
}

}  // namespace jigsaw
