#include "jzt_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>

#include <unistd.h>

#include "format_error.h"
#include "message_text.h"

namespace jigsaw {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Eight pseudo-random bytes a step: the large puzzles hold tens of megabytes.
void fillRandom(PackedDib& dib, std::uint64_t& state)
{
    const std::span<std::uint8_t> pixels = dib.pixels();
    for (std::size_t i = 0; i < pixels.size(); i += 8) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const std::uint64_t word = state ^ (state >> 29);
        std::memcpy(&pixels[i], &word, std::min<std::size_t>(8, pixels.size() - i));
    }
}

// A puzzle whose every pixel byte is random, so that any byte put in the
// wrong place or order shows.
JztPuzzle randomPuzzle(int sizeIndex, DataFormat format, ColorFormat color, unsigned seed = 1)
{
    std::uint64_t rng = seed;
    const PuzzleGeometry g = puzzleSize(sizeIndex).geometry;
    const int bits = color == ColorFormat::Indexed ? 8 : 24;
    std::vector<RGBQUAD> table;
    if (bits == 8)
        for (int i = 0; i < 256; ++i)
            table.push_back(RGBQUAD{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                    static_cast<std::uint8_t>(i * 7), 0});

    JztPuzzle p;
    p.header.geometry = g;
    p.header.colorFormat = color;
    p.header.dataFormat = format;
    p.header.sizeIndex = sizeIndex;
    p.header.messageLines = {encodeMessageLine("一行目"), "", std::string(100, 'x')};
    p.header.showMessage = 1;
    p.picture = PackedDib::create(PackedDib::makeInfo(g.width(), g.height(), bits), table);
    p.picture.hdr = BITMAPFILEHEADER{kBmpSignature, 1234, 0, 0, bits == 8 ? 1078u : 54u};
    fillRandom(p.picture, rng);
    if (format == DataFormat::Large) {
        for (PackedDib& s : p.sheets) {
            s = makeSheetDib(g, bits, table);
            s.hdr = p.picture.hdr;
            fillRandom(s, rng);
        }
        p.mask = makeMaskDib(g);
        p.mask.hdr = p.picture.hdr;
        fillRandom(p.mask, rng);
    } else {
        p.templateMap = makeTemplateMapDib(g);
        fillRandom(p.templateMap, rng);
    }
    return p;
}

std::uint32_t u32At(const Bytes& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::string errorOf(const Bytes& bytes)
{
    try {
        readJzt(bytes);
    } catch (const FormatError& e) {
        const std::string what = e.what();
        EXPECT_TRUE(std::ranges::all_of(what, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            << "a diagnostic, not a sentence: " << what;
        return what;
    }
    return {};
}

// Offsets of the blocks of a written file, from the layout.
std::vector<std::size_t> blockStarts(const JztHeader& h)
{
    const JztLayout l = jztLayout(h);
    const std::size_t head = 54 + (h.colorFormat == ColorFormat::Indexed ? 1024 : 0);
    std::vector<std::size_t> starts = {kJztHeaderSize};
    starts.push_back(starts.back() + head + l.pictureData);
    for (int k = 0; h.dataFormat == DataFormat::Large && k < 4; ++k)
        starts.push_back(starts.back() + head + l.sheetData);
    return starts;
}

TEST(JztLayout, BlockLengthsOfTheSevenByNinePuzzle)
{
    JztPuzzle large = randomPuzzle(0, DataFormat::Large, ColorFormat::Indexed);
    const Bytes bytes = writeJzt(large);
    EXPECT_EQ(bytes.size(), 3'428'652u);
    const std::vector<std::size_t> s = blockStarts(large.header);
    EXPECT_EQ(s[1] - s[0], 267'878u);
    EXPECT_EQ(s[2] - s[1], 631'078u);
    EXPECT_EQ(bytes.size() - s[5], 630'062u);

    const JztPuzzle small = randomPuzzle(0, DataFormat::Small, ColorFormat::Indexed);
    EXPECT_EQ(writeJzt(small).size(), 434'476u);
    EXPECT_EQ(small.templateMap.stride(), 232u);
    EXPECT_EQ(jztLayout(small.header).templateMapData, 160'080u);

    JztHeader big = small.header;
    big.geometry = puzzleSize(12).geometry;
    EXPECT_EQ(dibStride(big.geometry.width(), 4), 556u);
    EXPECT_EQ(jztLayout(big).templateMapData, 619'380u);
}

TEST(JztLayout, HeaderFieldsStandWhereOtherCopiesLookForThem)
{
    JztPuzzle p = randomPuzzle(2, DataFormat::Small, ColorFormat::TrueColor);
    p.header.showMessage = 0;
    const Bytes b = writeJzt(p);
    EXPECT_EQ(b[0], 12);
    EXPECT_EQ(b[4], 11);
    EXPECT_EQ(b[8], 15);
    EXPECT_EQ(b[12], 30);
    EXPECT_EQ(b[16], 2);
    EXPECT_EQ(std::memcmp(&b[20], p.header.messageLines[0].data(), 6), 0);
    EXPECT_EQ(b[26], 0) << "each line ends with a NUL";
    EXPECT_EQ(b[131], 0) << "an empty line is a NUL in the field's first byte";
    EXPECT_EQ(b[242 + 99], 'x');
    EXPECT_EQ(b[242 + 100], 0) << "a 100-byte line is followed by its NUL";
    EXPECT_EQ(b[353], 0);
    EXPECT_EQ(b[354], 1);
    EXPECT_EQ(b[355], 2) << "small files carry the size index";

    JztPuzzle large = randomPuzzle(2, DataFormat::Large, ColorFormat::TrueColor);
    EXPECT_EQ(writeJzt(large)[355], 0) << "large files leave it unwritten";
}

TEST(JztLayout, PictureBlocksKeepTheirQuirks)
{
    // 24-bit large: the pixel array and then filler up to W·H·4 bytes.
    const JztPuzzle large = randomPuzzle(2, DataFormat::Large, ColorFormat::TrueColor);
    const Bytes b = writeJzt(large);
    const PuzzleGeometry& g = large.header.geometry;
    const std::size_t arrayBytes = dibStride(g.width(), 24) * g.height();
    const std::size_t pixels = kJztHeaderSize + 54;
    EXPECT_EQ(std::memcmp(&b[pixels], large.picture.pBits(), arrayBytes), 0);
    EXPECT_EQ(b[pixels + arrayBytes], 0xFF);
    EXPECT_EQ(b[pixels + 4u * g.width() * g.height() - 1], 0xFF);

    // The mask: its own colour table, then the 1-bit array padded with 0xFF to Pw·Ph bytes.
    const std::size_t mask = blockStarts(large.header)[5];
    EXPECT_EQ(u32At(b, mask + 14 + 4), 4u * g.sheetWidth());
    EXPECT_EQ(u32At(b, mask + 14 + 20), static_cast<std::uint32_t>(g.sheetWidth() * g.sheetHeight()));
    EXPECT_EQ(u32At(b, mask + 54), 0x00FFFFFFu) << "entry 0 white";
    EXPECT_EQ(u32At(b, mask + 58), 0u) << "entry 1 black";
    EXPECT_EQ(b.back(), 0xFF);

    // Small: picture offset 54 even at 256 colours; the template map's own file header and zero filler.
    const JztPuzzle small = randomPuzzle(2, DataFormat::Small, ColorFormat::Indexed);
    const Bytes s = writeJzt(small);
    EXPECT_EQ(u32At(s, kJztHeaderSize + 10), 54u);
    const std::size_t map = blockStarts(small.header)[1];
    const std::size_t mapData = jztLayout(small.header).templateMapData;
    EXPECT_EQ(s[map] | s[map + 1] << 8, kBmpSignature) << "BM";
    EXPECT_EQ(u32At(s, map + 2), mapData + 118);
    EXPECT_EQ(u32At(s, map + 10), 118u);
    EXPECT_EQ(u32At(s, map + 14 + 20), mapData);
    EXPECT_EQ(u32At(s, map + 54 + 4 * 2), 0x000000FFu) << "code 2 is blue";
    EXPECT_EQ(u32At(s, map + 54 + 4 * 3), 0x00FF0000u) << "code 3 is red";
    EXPECT_EQ(s.back(), 0x00);
}

// The 12×11 picture is 570 pixels wide: 256-colour files carry 570·525 bytes
// of a 572·525 array, and the reader shows the missing 1,050 bytes as entry 0.
TEST(JztReader, MissingPictureBytesReadAsZero)
{
    JztPuzzle p = randomPuzzle(2, DataFormat::Large, ColorFormat::Indexed);
    std::fill(p.picture.pixels().begin(), p.picture.pixels().end(), std::uint8_t{7});
    const JztPuzzle back = readJzt(writeJzt(p));
    const auto pixels = back.picture.pixels();
    ASSERT_EQ(pixels.size(), 572u * 525u);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), 1050);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.begin() + 570 * 525, [](std::uint8_t v) { return v == 7; }));
}

TEST(JztReader, LargeFilesNeedNoSizeIndex)
{
    Bytes b = writeJzt(randomPuzzle(7, DataFormat::Large, ColorFormat::TrueColor));
    b[355] = 200;
    EXPECT_EQ(readJzt(b).header.sizeIndex, 7);
}

struct Case {
    int sizeIndex;
    DataFormat format;
    ColorFormat color;
};

class RoundTrip : public testing::TestWithParam<Case> {};

// Every size, format and depth: what is written reads back the same, and
// writing it again gives the same bytes.
TEST_P(RoundTrip, WriteReadWrite)
{
    const Case c = GetParam();
    const JztPuzzle p = randomPuzzle(c.sizeIndex, c.format, c.color, static_cast<unsigned>(c.sizeIndex));
    const Bytes first = writeJzt(p);
    ASSERT_EQ(first.size(), jztLayout(p.header).fileSize);
    const JztPuzzle back = readJzt(first);

    const JztHeader& h = back.header;
    EXPECT_EQ(std::tie(h.geometry, h.colorFormat, h.dataFormat, h.sizeIndex, h.messageLines, h.showMessage),
              std::tie(p.header.geometry, c.color, c.format, c.sizeIndex, p.header.messageLines, p.header.showMessage));
    EXPECT_EQ(back.picture.hdr.bfType, kBmpSignature);
    EXPECT_EQ(back.picture.colorTable(), p.picture.colorTable());

    // Pixels the file carries come back; the 8-bit picture loses only the
    // tails of its top rows, and the small 24-bit one whatever is past W·H·3.
    const PuzzleGeometry& g = p.header.geometry;
    std::size_t carried = p.picture.pixels().size();
    if (c.color == ColorFormat::Indexed)
        carried = static_cast<std::size_t>(g.width()) * g.height();
    else if (c.format == DataFormat::Small)
        carried = 3u * g.width() * g.height();
    EXPECT_TRUE(std::equal(p.picture.pixels().begin(), p.picture.pixels().begin() + static_cast<std::ptrdiff_t>(carried),
                           back.picture.pixels().begin()));
    if (c.format == DataFormat::Large) {
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_TRUE(std::ranges::equal(p.sheets[k].pixels(), back.sheets[k].pixels())) << "sheet " << k;
        EXPECT_TRUE(std::ranges::equal(p.mask.pixels(), back.mask.pixels()));
    } else {
        EXPECT_TRUE(std::ranges::equal(p.templateMap.pixels(), back.templateMap.pixels()));
    }
    EXPECT_EQ(writeJzt(back), first);
}

std::vector<Case> allCases()
{
    std::vector<Case> cases;
    for (int i = 0; i < kSizeCount; ++i)
        for (DataFormat f : {DataFormat::Large, DataFormat::Small})
            for (ColorFormat c : {ColorFormat::Indexed, ColorFormat::TrueColor})
                cases.push_back({i, f, c});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllSizes, RoundTrip, testing::ValuesIn(allCases()), [](const auto& info) {
    return "size" + std::to_string(info.param.sizeIndex) +
           (info.param.format == DataFormat::Large ? "_large" : "_small") +
           (info.param.color == ColorFormat::Indexed ? "_8bit" : "_24bit");
});

// Cutting a file short anywhere inside a block or its headers gives a clear
// error; only the template map's trailing filler may be missing.
TEST(JztReader, TruncationIsReportedNeverCrashes)
{
    for (const DataFormat format : {DataFormat::Large, DataFormat::Small}) {
        for (const ColorFormat color : {ColorFormat::Indexed, ColorFormat::TrueColor}) {
            const JztPuzzle p = randomPuzzle(6, format, color);
            const Bytes full = writeJzt(p);
            std::vector<std::size_t> cuts = {0, 1, 355, kJztHeaderSize - 1};
            for (const std::size_t start : blockStarts(p.header))
                for (const std::size_t delta : {0, 1, 13, 14, 20, 53, 54, 57, 62, 117, 118, 1077, 1078})
                    cuts.push_back(start + delta);
            for (const std::size_t start : blockStarts(p.header))
                if (start > kJztHeaderSize)
                    cuts.push_back(start - 1);
            const bool small = format == DataFormat::Small;
            const std::size_t mapArrayEnd = small ? blockStarts(p.header)[1] + 118 +
                                                        p.templateMap.pixels().size()
                                                  : full.size();
            cuts.push_back(small ? mapArrayEnd - 1 : full.size() - 1);
            for (const std::size_t cut : cuts) {
                const auto end = full.begin() + static_cast<std::ptrdiff_t>(std::min(cut, full.size() - 1));
                EXPECT_FALSE(errorOf(Bytes(full.begin(), end)).empty()) << "cut at " << cut;
            }
            if (small) {
                const Bytes shortFiller(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(mapArrayEnd));
                EXPECT_TRUE(errorOf(shortFiller).empty()) << "a short template map is normal";
                EXPECT_TRUE(std::ranges::equal(readJzt(shortFiller).templateMap.pixels(), p.templateMap.pixels()));
            }
        }
    }
    EXPECT_EQ(errorOf({}), "PuzzleFileTooShort(0)");
}

// Each impossible header field, and each block header field that does not
// fit the puzzle, is named in the error.
TEST(JztReader, ImpossibleFieldsAreNamed)
{
    const Bytes large = writeJzt(randomPuzzle(0, DataFormat::Large, ColorFormat::Indexed));
    const Bytes small = writeJzt(randomPuzzle(0, DataFormat::Small, ColorFormat::TrueColor));
    // Which file, the byte changed, its new value and what the error names.
    const std::tuple<const Bytes*, std::size_t, std::uint8_t, const char*> edits[] = {
        {&large, 0, 0, "PuzzleFileSizeUnknown(0, "},       {&large, 4, 200, "PuzzleFileSizeUnknown("},
        {&large, 8, 21, "PuzzleFileSizeUnknown("},          {&large, 12, 0, "PuzzleFileSizeUnknown("},
        {&large, 16, 0, "PuzzleFileColorFormatInvalid(0)"}, {&large, 16, 3, "PuzzleFileColorFormatInvalid(3)"},
        {&large, 354, 2, "PuzzleFileDataFormatInvalid(2)"}, {&small, 355, 1, "PuzzleFileSizeIndexMismatch(1, "},
        {&small, blockStarts(readJzt(small).header)[1] + 14 + 14, 8, "(templateMap, biBitCount, 8, 4)"}};
    for (const auto& [file, at, value, expect] : edits) {
        Bytes b = *file;
        b[at] = value;
        EXPECT_NE(errorOf(b).find(expect), std::string::npos) << "byte " << at << " = " << int(value);
    }

    // Offset inside the info header, size, value, field.
    const std::tuple<std::size_t, std::size_t, std::uint32_t, const char*> infoEdits[] = {
        {0, 4, 12, "biSize"},       {4, 4, 461, "biWidth"},      {8, 4, static_cast<std::uint32_t>(-580), "biHeight"},
        {12, 2, 0, "biPlanes"},     {14, 2, 24, "biBitCount"},  {16, 4, 1, "biCompression"},
        {32, 4, 16, "biClrUsed"}};
    const std::vector<std::size_t> starts = blockStarts(readJzt(large).header);
    const std::pair<std::size_t, const char*> blocks[] = {
        {starts[0], "(picture, "}, {starts[3], "(sheet3, "}, {starts[5], "(mask, "}};
    for (const auto& [start, name] : blocks) {
        for (const auto& [offset, size, value, field] : infoEdits) {
            Bytes b = large;
            for (std::size_t i = 0; i < size; ++i)
                b[start + 14 + offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
            const std::string error = errorOf(b);
            EXPECT_TRUE(error.find(name) != std::string::npos && error.find(field) != std::string::npos) << error;
        }
    }
}

// Files are written atomically: a failed write leaves the old file and no
// temporary one; a file that cannot be read is reported.
TEST(JztFile, WritesAtomicallyAndReportsWhatCannotBeReadOrWritten)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("jzt_file_test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto slurp = [](const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    const std::filesystem::path path = dir / "puzzle.jzt";
    const JztPuzzle first = randomPuzzle(6, DataFormat::Small, ColorFormat::Indexed, 1);
    writeJztFile(path, first);
    EXPECT_EQ(slurp(path), writeJzt(first));
    EXPECT_EQ(readJztFile(path).header.geometry, first.header.geometry);

    const JztPuzzle second = randomPuzzle(7, DataFormat::Large, ColorFormat::TrueColor, 2);
    writeJztFile(path, second);
    EXPECT_EQ(slurp(path), writeJzt(second)) << "an existing file is replaced";

    JztPuzzle broken = second;
    broken.picture = PackedDib::create(PackedDib::makeInfo(10, 10, 24), {});
    EXPECT_THROW(writeJztFile(path, broken), FormatError);
    JztPuzzle longLine = second;
    longLine.header.messageLines[1] = std::string(101, 'a');
    EXPECT_THROW(writeJztFile(path, longLine), FormatError);
    EXPECT_THROW(writeJztFile(dir / "missing" / "x.jzt", second), FormatError);
    EXPECT_THROW(writeJztFile(dir, second), FormatError) << "a folder cannot be replaced by a file";

    EXPECT_EQ(slurp(path), writeJzt(second)) << "failed writes leave the old file";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary file is left";

    EXPECT_THROW(readJztFile(dir / "absent.jzt"), FormatError);
    EXPECT_THROW(readJztFile(dir), FormatError);
    std::ofstream(dir / "text.jzt") << "not a puzzle";
    try {
        readJztFile(dir / "text.jzt");
        ADD_FAILURE();
    } catch (const FormatError& e) {
        EXPECT_EQ(e.code(), jigsaw::ErrorCode::PuzzleFileTooShort);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace jigsaw
