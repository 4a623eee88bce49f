#include "best_times.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "dib_samples.h"

namespace {

constexpr std::string_view kHeading = "vorpel-records 1";
constexpr std::string_view kHeadingStem = "vorpel-records ";
constexpr int kFields = 7;

class Fnv1a {
public:
    void add(std::uint32_t word)
    {
        for (int shift = 0; shift < 32; shift += 8) {
            m_hash ^= (word >> shift) & 0xFF;
            m_hash *= 0x100000001B3ull;
        }
    }
    std::uint64_t value() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xCBF29CE484222325ull;
};

// A whole field of decimal digits up to `max`.
std::optional<std::uint64_t> number(std::string_view field, std::uint64_t max)
{
    if (field.empty() || !std::ranges::all_of(field, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size() || value > max)
        return std::nullopt;
    return value;
}

std::optional<std::uint64_t> identity(std::string_view field)
{
    if (field.size() != 16 ||
        !std::ranges::all_of(field, [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }))
        return std::nullopt;
    std::uint64_t value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value, 16);
    return value;
}

// Well-formed UTF-8 (shortest forms, no surrogates) without control
// characters.
bool validName(std::string_view name)
{
    const auto* p = reinterpret_cast<const unsigned char*>(name.data());
    const auto* end = p + name.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x20 || c == 0x7F)
            return false;
        int extra = 0;
        std::uint32_t min = 0;
        std::uint32_t code = c;
        if (c < 0x80) {
            ++p;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        p += extra + 1;
    }
    return true;
}

std::variant<PuzzleRecord, RecordsError> parseLine(std::string_view line)
{
    std::array<std::string_view, kFields> f;
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        if (count == kFields)
            return RecordsError::FieldCount;
        f[count++] = line.substr(start, tab == std::string_view::npos ? tab : tab - start);
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    if (count != kFields)
        return RecordsError::FieldCount;
    constexpr std::uint64_t kMaxDate = std::numeric_limits<std::int64_t>::max();
    const auto id = identity(f[0]);
    const auto pieces = number(f[1], kMaxPieces - 1);
    const auto seconds = number(f[2], std::numeric_limits<std::uint32_t>::max());
    const auto finished = number(f[3], std::numeric_limits<std::uint32_t>::max());
    const auto bestDate = number(f[4], kMaxDate);
    const auto lastDate = number(f[5], kMaxDate);
    if (!id)
        return RecordsError::IdentityInvalid;
    if (!pieces || *pieces == 0)
        return RecordsError::PiecesInvalid;
    if (!seconds)
        return RecordsError::SecondsInvalid;
    if (!finished || *finished == 0)
        return RecordsError::CountInvalid;
    if (!bestDate || !lastDate || *lastDate < *bestDate)
        return RecordsError::DateInvalid;
    if (!validName(f[6]))
        return RecordsError::NameInvalid;
    return PuzzleRecord{*id,
                        std::string(f[6]),
                        static_cast<int>(*pieces),
                        static_cast<std::uint32_t>(*seconds),
                        static_cast<std::uint32_t>(*finished),
                        static_cast<std::int64_t>(*bestDate),
                        static_cast<std::int64_t>(*lastDate)};
}

}  // namespace

std::uint64_t PuzzleIdentity(const CVorpelDoc& doc)
{
    Fnv1a hash;
    for (const int v : {doc.GetCols(), doc.GetRows(), doc.GetCellSize(), doc.GetMargin()})
        hash.add(static_cast<std::uint32_t>(v));
    const jigsaw::PackedDib& picture = doc.Picture();
    hash.add(static_cast<std::uint32_t>(picture.width()));
    hash.add(static_cast<std::uint32_t>(picture.height()));
    if (!picture.empty())
        for (const jigsaw::ColorRef c : jigsaw::dibSamples(picture))
            hash.add(c);
    return hash.value();
}

std::string WriteRecords(const std::vector<PuzzleRecord>& records)
{
    std::string text(kHeading);
    text += '\n';
    for (const PuzzleRecord& r : records) {
        std::array<char, 17> id{};
        const auto end = std::to_chars(id.data(), id.data() + 16, r.identity, 16).ptr;
        const auto digits = static_cast<std::size_t>(end - id.data());
        text.append(16 - digits, '0').append(id.data(), digits);
        for (const std::uint64_t v : {std::uint64_t(r.pieces), std::uint64_t(r.bestSeconds),
                                      std::uint64_t(r.timesFinished), std::uint64_t(r.bestDate),
                                      std::uint64_t(r.lastDate)})
            text += '\t' + std::to_string(v);
        text += '\t' + r.name + '\n';
    }
    return text;
}

std::variant<std::vector<PuzzleRecord>, RecordsFault> ParseRecords(std::string_view text)
{
    std::vector<PuzzleRecord> records;
    if (text.empty())
        return records;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return RecordsFault{RecordsError::Unterminated, lineNumber};
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (lineNumber == 1) {
            if (line == kHeading)
                continue;
            return RecordsFault{line.starts_with(kHeadingStem) ? RecordsError::UnknownVersion
                                                               : RecordsError::NotARecordsFile,
                                1};
        }
        auto parsed = parseLine(line);
        if (const auto* error = std::get_if<RecordsError>(&parsed))
            return RecordsFault{*error, lineNumber};
        PuzzleRecord& record = std::get<PuzzleRecord>(parsed);
        if (std::ranges::any_of(records, [&](const PuzzleRecord& r) { return r.identity == record.identity; }))
            return RecordsFault{RecordsError::DuplicateIdentity, lineNumber};
        records.push_back(std::move(record));
    }
    return records;
}

CompletionRecord RecordCompletion(std::vector<PuzzleRecord>& records, std::uint64_t identity, std::string name,
                                  int pieces, std::uint32_t seconds, std::int64_t now)
{
    std::ranges::replace_if(name, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    if (!validName(name))
        name.clear();
    pieces = std::clamp(pieces, 1, kMaxPieces - 1);
    now = std::max<std::int64_t>(now, 0);
    auto it = std::ranges::find(records, identity, &PuzzleRecord::identity);
    if (it == records.end()) {
        records.push_back(PuzzleRecord{identity, std::move(name), pieces, seconds, 1, now, now});
        return CompletionRecord{std::nullopt, seconds, 1};
    }
    const CompletionRecord result{it->bestSeconds, std::min(seconds, it->bestSeconds),
                                  it->timesFinished + (it->timesFinished < std::numeric_limits<std::uint32_t>::max())};
    if (seconds < it->bestSeconds) {
        it->bestSeconds = seconds;
        it->bestDate = now;
    }
    it->name = std::move(name);
    it->pieces = pieces;
    it->timesFinished = result.timesFinished;
    it->lastDate = std::max(now, it->bestDate);
    return result;
}
