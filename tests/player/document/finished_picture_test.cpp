#include "finished_picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <jpeglib.h>
#include <sys/resource.h>
#include <unistd.h>

#include "bmp_headers.h"
#include "byte_io.h"
#include "dib_samples.h"
#include "document_test_support.h"
#include "format_error.h"
#include "picture_writers.h"

namespace {

using jigsaw::ColorRef;

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kRed = jigsaw::rgb(200, 0, 0);

ColorRef pixel(const FinishedBuffer& b, int x, int y)
{
    const std::uint8_t* p = b.rowFromTop(y) + 3 * x;
    return jigsaw::rgb(p[2], p[1], p[0]);
}

bool near(ColorRef a, ColorRef b, int tolerance)
{
    return std::abs(jigsaw::redOf(a) - jigsaw::redOf(b)) <= tolerance &&
           std::abs(jigsaw::greenOf(a) - jigsaw::greenOf(b)) <= tolerance &&
           std::abs(jigsaw::blueOf(a) - jigsaw::blueOf(b)) <= tolerance;
}

// A panel of the resources' form: 320 × 256 at 256 colours, an 11-pixel frame.
jigsaw::PackedDib panelImage(std::uint8_t frame, std::uint8_t inside)
{
    const std::array<jigsaw::RGBQUAD, 3> table{{{0, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 200, 0}}};
    jigsaw::PackedDib dib = jigsaw::PackedDib::create(jigsaw::PackedDib::makeInfo(320, 256, 8), table, inside);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 320; ++x)
            if (x < 11 || x >= 309 || y < 11 || y >= 245)
                dib.rowFromTop(y)[x] = frame;
    return dib;
}

std::vector<std::uint8_t> readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class FinishedPicture : public testing::Test {
protected:
    FakeClock clock;
    std::unique_ptr<CVorpelDoc> doc =
        loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::Indexed, clock);
    // One folder per process and test, so that concurrent runs do not meet.
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("finished-" + std::to_string(::getpid()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_F(FinishedPicture, UngluedShowsEachPieceAtHomeOnWhite)
{
    const FinishedBuffer b = CaptureFinishedPicture(*doc, ComposeFinishedPicture(*doc));
    ASSERT_EQ((std::pair{b.width, b.height}), (std::pair{360, 480}));
    EXPECT_EQ(pixel(b, 0, 0), kWhite) << "the margin band outside the pieces";
    const std::vector<ColorRef> sheet = jigsaw::dibSamples(doc->Sheet(0));
    const int s = doc->PieceSize(), half = doc->GetMargin() / 2;
    for (int id = 0; id < doc->PieceCount(); ++id) {
        const int c = id % 3, r = id / 3;
        const int sx = c * s + s / 2, sy = r * s + s / 2;
        EXPECT_EQ(pixel(b, c * doc->Pitch() + s / 2 - half, r * doc->Pitch() + s / 2 - half),
                  sheet[static_cast<std::size_t>(sy) * doc->Sheet(0).width() + sx])
            << "piece " << id;
    }
}

TEST_F(FinishedPicture, GluedSqueezesTheBoardPictureAndThePanelFramesIt)
{
    doc->SetGlue(1);
    const FinishedBuffer glued = CaptureFinishedPicture(*doc, ComposeFinishedPicture(*doc));
    const std::vector<ColorRef> board = jigsaw::dibSamples(doc->Picture());
    const int w = doc->BoardWidth();
    EXPECT_TRUE(near(pixel(glued, 0, 0), board[0], 40));
    EXPECT_TRUE(near(pixel(glued, 180, 240), board[static_cast<std::size_t>(doc->BoardHeight() / 2) * w + w / 2], 40));

    doc->SetPanel(1);
    const PanelImages panel{panelImage(1, 0), panelImage(2, 1)};
    const FinishedBuffer framed = CaptureFinishedPicture(*doc, ComposeFinishedPicture(*doc, &panel));
    EXPECT_EQ((std::tuple{pixel(framed, 0, 0), pixel(framed, 359, 240), pixel(framed, 180, 479)}),
              (std::tuple{kRed, kRed, kRed}));
    EXPECT_EQ(pixel(framed, 180, 240), pixel(glued, 180, 240)) << "the picture shows through the window";
    EXPECT_EQ(pixel(framed, 20, 30), pixel(glued, 20, 30));
}

TEST_F(FinishedPicture, BmpRowsArePaddedAndOtherReadersSeeTheColours)
{
    FinishedBuffer odd(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            std::uint8_t* p = odd.rowFromTop(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x * 50);
            p[1] = static_cast<std::uint8_t>(y * 100);
            p[2] = 7;
        }
    WriteBmp(dir / "odd.bmp", odd);
    const std::vector<std::uint8_t> bytes = readAll(dir / "odd.bmp");
    jigsaw::ByteReader in(bytes);
    const jigsaw::BITMAPFILEHEADER file = jigsaw::readFileHeader(in);
    const jigsaw::BITMAPINFOHEADER info = jigsaw::readInfoHeader(in);
    EXPECT_EQ((std::tuple{+file.bfType, +file.bfSize, +file.bfOffBits}),
              (std::tuple{+jigsaw::kBmpSignature, static_cast<std::uint32_t>(bytes.size()), 54u}));
    EXPECT_EQ(+info.biSizeImage, 16u * 3) << "rows of 15 bytes padded to 16";
    EXPECT_EQ((std::tuple{+info.biWidth, +info.biHeight, +info.biBitCount}), (std::tuple{5, 3, 24}));
    jigsaw::PackedDib read = jigsaw::PackedDib::allocate(info, {});
    std::copy(bytes.begin() + 54, bytes.end(), read.pBits());
    const std::vector<ColorRef> samples = jigsaw::dibSamples(read);
    EXPECT_EQ(samples[2 * 5 + 4], jigsaw::rgb(7, 200, 200));
    EXPECT_EQ(samples[0], jigsaw::rgb(7, 0, 0));
}

TEST_F(FinishedPicture, JpegDecodesToTheSamePicture)
{
    doc->SetGlue(1);
    const FinishedBuffer picture = CaptureFinishedPicture(*doc, ComposeFinishedPicture(*doc));
    WriteJpeg(dir / "finished.jpg", picture);
    const std::vector<std::uint8_t> bytes = readAll(dir / "finished.jpg");

    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK);
    EXPECT_FALSE(cinfo.progressive_mode);
    jpeg_start_decompress(&cinfo);
    ASSERT_EQ((std::tuple{cinfo.output_width, cinfo.output_height, cinfo.output_components}),
              (std::tuple{360u, 480u, 3}));
    std::vector<std::uint8_t> row(360 * 3);
    // Compared with the channels in their places and swapped: quality 100
    // keeps the first small; a red-blue mix-up would make it the larger.
    long long error = 0, swapped = 0;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        for (int x = 0; x < 360; ++x) {
            const ColorRef want = pixel(picture, x, y);
            const int r = row[3 * x], b = row[3 * x + 2];
            error += std::abs(r - jigsaw::redOf(want)) + std::abs(b - jigsaw::blueOf(want));
            swapped += std::abs(b - jigsaw::redOf(want)) + std::abs(r - jigsaw::blueOf(want));
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    EXPECT_LT(static_cast<double>(error) / (360.0 * 480.0), 8.0);
    EXPECT_GT(swapped, 5 * error);
}

TEST_F(FinishedPicture, FailedWritesAreReportedAndLeaveNoFile)
{
    const FinishedBuffer picture = CaptureFinishedPicture(*doc, ComposeFinishedPicture(*doc));
    EXPECT_THROW(WriteBmp(dir / "missing" / "a.bmp", picture), jigsaw::FormatError);
    EXPECT_THROW(WriteJpeg(dir / "missing" / "a.jpg", picture), jigsaw::FormatError);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

    WriteBmp(dir / "kept.jpg", picture);
    const auto before = readAll(dir / "kept.jpg");
    try {
        WriteJpeg(dir / "kept.jpg", FinishedBuffer(70000, 1));
        ADD_FAILURE() << "a picture wider than JPEG allows must be refused";
    } catch (const jigsaw::FormatError& e) {
        EXPECT_EQ(e.code(), jigsaw::ErrorCode::JpegCompressionFailed) << e.what();
    }
    EXPECT_EQ(readAll(dir / "kept.jpg"), before) << "the old file is untouched";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary file is left";
    EXPECT_THROW(EncodeBmp(FinishedBuffer()), jigsaw::FormatError);
}

#if !defined(__SANITIZE_ADDRESS__)
// Encodes with a few megabytes of address space left to grow into, in a
// child process; exits 0 when the encoder reported the failure.
[[noreturn]] void encodeWithLittleMemoryLeft(const FinishedBuffer& picture)
{
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (4 << 20);
    const rlimit cap{limit, limit};
    setrlimit(RLIMIT_AS, &cap);
    try {
        EncodeJpeg(picture);
    } catch (const jigsaw::FormatError&) {
        std::_Exit(0);
    }
    std::_Exit(2);
}
#endif

// Out of memory part way through, with the output buffer grown several
// times: the encoder reports it and hands back every buffer exactly once.
// The address-space limit is set in a child process, where glibc aborts on
// a buffer freed twice.
TEST(JpegEncoder, RunningOutOfMemoryIsReportedWithoutADoubleFree)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator cannot run under an address-space limit";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Noise compresses badly: some ten megabytes of output.
    FinishedBuffer noise(3000, 2000);
    std::mt19937 random(7);
    for (std::uint8_t& b : noise.bgr)
        b = static_cast<std::uint8_t>(random());
    EXPECT_EXIT(encodeWithLittleMemoryLeft(noise), ::testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
