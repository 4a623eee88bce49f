#include <gtest/gtest.h>

#include <filesystem>

#include "data_creation.h"
#include "dib_samples.h"
#include "format_error.h"
#include "piece_template.h"

namespace kestra {
namespace {

// A uniform picture of 200 × 150 pixels.
struct Picture {
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(200 * 150, 0xFF4080C0);
    SourcePicture source() const { return {200, 150, pixels.data(), 200}; }
};

TEST(DataCreation, SmallFormatMapsTheTemplateAndReportsProgressPerRow)
{
    const Picture pic;
    CreationRequest r;
    r.source = pic.source();
    r.frame = {0, 0, 200, 150};
    r.sizeIndex = 13;  // the irregular 30-piece template with six colours
    r.format = jigsaw::DataFormat::Small;
    std::map<Stage, std::pair<int, int>> last;
    const jigsaw::JztPuzzle p = createPuzzle(r, [&](Stage s, int pos, int max) { last[s] = {pos, max}; });

    const jigsaw::PuzzleGeometry g = jigsaw::puzzleSize(13).geometry;
    EXPECT_EQ(p.header.sizeIndex, 13);
    EXPECT_EQ(last[Stage::Sampling], std::make_pair(g.height() - 1, g.height() - 1));
    EXPECT_EQ(last[Stage::Creating], std::make_pair(g.height(), g.height()));
    EXPECT_EQ(last.count(Stage::Palette), 0u) << "true colour has no palette stage";

    // The map's codes name the template's colours, pixel by pixel.
    const jigsaw::PieceTemplate tpl = jigsaw::makePieceTemplate(13);
    const std::vector<jigsaw::ColorRef> codes = jigsaw::dibSamples(p.templateMap);
    const std::vector<jigsaw::ColorRef> tplColours = jigsaw::templateSamples(tpl, g);
    std::map<jigsaw::ColorRef, jigsaw::ColorRef> codeOf;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const auto [it, fresh] = codeOf.emplace(tplColours[i], codes[i]);
        ASSERT_EQ(it->second, codes[i]) << "one template colour, one code";
    }
    EXPECT_EQ(codeOf.size(), 8u);
    EXPECT_EQ(codeOf[jigsaw::rgb(255, 0, 255)], jigsaw::rgb(255, 0, 255)) << "magenta keeps its colour in the map";
    EXPECT_EQ(jigsaw::dibSamples(p.picture)[500], jigsaw::rgb(0x40, 0x80, 0xC0));
}

TEST(DataCreation, IndexedLargeFormatPaintsTheBackgroundWithTheForcedWhite)
{
    const Picture pic;
    Palette palette;
    palette.fill({100, 100, 100, 0});
    palette[7] = {200, 210, 220, 0};  // brightest, not white
    palette[8] = {0xC0, 0x80, 0x40, 0};
    CreationRequest r;
    r.source = pic.source();
    r.frame = {0, 0, 200, 150};
    r.sizeIndex = 6;
    r.bitCount = 8;
    r.palette = &palette;
    const jigsaw::JztPuzzle p = createPuzzle(r);
    EXPECT_EQ(palette[7], (jigsaw::RGBQUAD{255, 255, 255, 0}));
    EXPECT_EQ(p.header.bitCount(), 8);
    EXPECT_EQ(p.sheets[0].color(7), (jigsaw::RGBQUAD{255, 255, 255, 0})) << "the file carries the changed table";
    EXPECT_EQ(p.sheets[2].pBits()[0], 7) << "a corner outside every piece";
    EXPECT_EQ(p.picture.rowFromTop(200)[200], 8);

    r.palette = nullptr;
    EXPECT_THROW(createPuzzle(r), jigsaw::FormatError);
}

TEST(DataCreation, RefusesBadInputsAndReportsTheFileItCannotWrite)
{
    const Picture pic;
    CreationRequest r;
    r.source = pic.source();
    r.frame = {10, 10, 10, 50};
    EXPECT_THROW(createPuzzle(r), jigsaw::FormatError) << "empty frame";
    r.frame = {0, 0, 200, 150};
    r.sizeIndex = 16;
    EXPECT_THROW(createPuzzle(r), jigsaw::FormatError);

    jigsaw::JztHeader h;
    EXPECT_THROW(setMessage(h, {"a", "b", "c", "d"}, true), jigsaw::FormatError);
    EXPECT_THROW(setMessage(h, {"\xF0\x9F\x98\x80"}, true), jigsaw::FormatError) << "an emoji has no CP932 form";

    r.sizeIndex = 6;
    const jigsaw::JztPuzzle p = createPuzzle(r);
    const std::filesystem::path bad = std::filesystem::temp_directory_path() / "no-such-folder-kestra" / "x.jzt";
    try {
        savePuzzle(bad, p);
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const jigsaw::FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("x.jzt"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace kestra
