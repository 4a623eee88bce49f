// The maker's batch creation end to end: load a picture, frame it as the
// window would, read the framed region again as finely as the puzzle needs,
// scale, (map to the palette,) cut the 40 × 25 puzzle in the large format and
// write the file. From a 3000 × 2000 picture, from photographs of
// 12,000 × 9,000 (baseline, and progressive at full colour resolution) and
// 60,000 × 4,000 pixels, which are decoded reduced, from a 6000 × 4000
// 24-bit BMP, and with a frame of one picture pixel per puzzle pixel.
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "batch_mode.h"
#include "sample_picture.h"
#include "test_pictures.h"

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 2000;

QImage scene()
{
    const std::vector<jigsaw::ColorRef> samples = jigsaw::samplePicture(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const jigsaw::ColorRef c = samples[static_cast<std::size_t>(y) * kWidth + x];
            row[x] = qRgb(jigsaw::redOf(c), jigsaw::greenOf(c), jigsaw::blueOf(c));
        }
    }
    return image;
}

// The pictures are made once and kept for all runs.
struct Pictures {
    QTemporaryDir dir;
    QString jpeg = dir.filePath(QStringLiteral("scene.jpg"));
    QString bmp8 = dir.filePath(QStringLiteral("scene.bmp"));
    QString photo = dir.filePath(QStringLiteral("photo.jpg"));
    QString panorama = dir.filePath(QStringLiteral("panorama.jpg"));
    QString progressive = dir.filePath(QStringLiteral("progressive.jpg"));
    QString bmp24 = dir.filePath(QStringLiteral("photo.bmp"));

    Pictures()
    {
        const QImage image = scene();
        image.save(jpeg, "JPG", 90);
        QList<QRgb> cube;
        for (int i = 0; i < 216; ++i)
            cube.append(qRgb(i / 36 * 51, i / 6 % 6 * 51, i % 6 * 51));
        image.convertToFormat(QImage::Format_Indexed8, cube, Qt::ThresholdDither).save(bmp8, "BMP");
        for (const auto& [path, w, h] : {std::tuple{photo, 12000, 9000}, {panorama, 60000, 4000}})
            writeJpegRows(path, w, h, [w = w, h = h](int y, std::uint8_t* rgb) { photoRow(w, h, y, rgb); });
        writeJpegRows(progressive, 12000, 9000, [](int y, std::uint8_t* rgb) { photoRow(12000, 9000, y, rgb); },
                      {.progressive = true, .fullColour = true});
        QImage bmp(6000, 4000, QImage::Format_RGB888);
        for (int y = 0; y < bmp.height(); ++y)
            photoRow(bmp.width(), bmp.height(), y, bmp.scanLine(y));
        bmp.save(bmp24, "BMP");
    }
};

const Pictures& pictures()
{
    static const Pictures p;
    return p;
}

void createFrom(benchmark::State& state, const QString& picture, bool oneToOne = false)
{
    kestra::CommandLine cmd;
    if (oneToOne) {
        cmd.hasFrame = true;
        const int frame[4] = {1000, 500, 1000 + 1220, 500 + 770};
        std::copy(std::begin(frame), std::end(frame), cmd.frame);
    }
    cmd.action = kestra::CommandLine::Action::Batch;
    cmd.picturePath = picture;
    cmd.outputPath = QDir(pictures().dir.path()).filePath(QStringLiteral("out.jzt"));
    cmd.sizeIndex = 15;  // 40 × 25
    for (auto _ : state)
        if (kestra::runBatch(cmd) != 0)
            state.SkipWithError("creation failed");
}

void BM_CreateLargeFromJpeg(benchmark::State& state)
{
    createFrom(state, pictures().jpeg);
}
BENCHMARK(BM_CreateLargeFromJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

void BM_CreateLargeFrom8BitBmp(benchmark::State& state)
{
    createFrom(state, pictures().bmp8);
}
BENCHMARK(BM_CreateLargeFrom8BitBmp)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

void BM_CreateLargeFrom108MegapixelJpeg(benchmark::State& state)
{
    createFrom(state, pictures().photo);
}
BENCHMARK(BM_CreateLargeFrom108MegapixelJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

void BM_CreateLargeFromPanoramaJpeg(benchmark::State& state)
{
    createFrom(state, pictures().panorama);
}
BENCHMARK(BM_CreateLargeFromPanoramaJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

void BM_CreateLargeFromProgressive444Jpeg(benchmark::State& state)
{
    createFrom(state, pictures().progressive);
}
BENCHMARK(BM_CreateLargeFromProgressive444Jpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

void BM_CreateLargeFrom24BitBmp(benchmark::State& state)
{
    createFrom(state, pictures().bmp24);
}
BENCHMARK(BM_CreateLargeFrom24BitBmp)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

void BM_CreateLargeOneToOneFrom108MegapixelJpeg(benchmark::State& state)
{
    createFrom(state, pictures().photo, true);
}
BENCHMARK(BM_CreateLargeOneToOneFrom108MegapixelJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
