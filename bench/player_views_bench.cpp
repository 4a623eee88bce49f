#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>

#include <memory>

#include "board_view.h"
#include "piece_images.h"
#include "sound_effects.h"
#include "views_test_support.h"

namespace {

constexpr int kBlock = 10;  // the carried group: 10 × 10 pieces
constexpr QPoint kBlockAt(100, 100);

// The 1000-piece puzzle (40 × 25, S 50, pitch 30) on a board pane of
// 1300 × 1000: a joined block of 100 pieces in the top-left corner and the
// other 900 pieces scattered over the board in every turn.
struct Scene {
    FakeClock clock;
    std::unique_ptr<CVorpelDoc> doc =
        loadedDoc(kSize1000, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, clock);
    PieceImages images;
    QWidget pane;
    std::unique_ptr<CVorpelDoc> start;
    CVorpelView* view = nullptr;

    Scene()
    {
        const int cols = doc->GetCols();
        GroupMatrix block{};
        int scattered = 0;
        for (int id = 0; id < doc->PieceCount(); ++id) {
            const int c = id % cols;
            const int r = id / cols;
            if (c < kBlock && r < kBlock) {
                const POINT home = homePlace(*doc, id, kBlockAt.x(), kBlockAt.y());
                placeOnBoard(*doc, id, 1, home.x, home.y);
                block[c][r] = 1;
            } else {
                placeOnBoard(*doc, id, 1 + scattered % 4, 10 + scattered * 97 % 1200, 10 + scattered * 61 % 880);
                ++scattered;
            }
        }
        for (int id = 0; id < doc->PieceCount(); ++id)
            if (block[id % cols][id / cols])
                doc->Group(id) = block;
        start = std::make_unique<CVorpelDoc>(*doc);
        images.rebuild(*doc);
        pane.resize(1300, 1000);
        view = new CVorpelView(*doc, images, silentSoundEffects(), &pane);
        view->setGeometry(0, 0, 1300, 1000);
        pane.show();
        QCoreApplication::processEvents();
    }

    void reset()
    {
        *doc = *start;
        view->documentChanged();
        QCoreApplication::processEvents();
    }

    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint at, Qt::MouseButtons buttons)
    {
        QWidget* vp = view->viewport();
        QMouseEvent event(type, at, vp->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(vp, &event);
    }
};

// Built in main, inside the application's lifetime.
Scene* g_scene = nullptr;

Scene& scene() { return *g_scene; }

// Steps of a drag that starts with a press at board point `board`: each a
// mouse move and the repaint it causes, at the zoom given in percent.
void measureDragSteps(benchmark::State& state, Scene& s, QPoint board)
{
    const QPoint grip = board * s.view->zoomPercent() / 100;
    s.mouse(QEvent::MouseButtonPress, Qt::LeftButton, grip, Qt::LeftButton);
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        const QPoint to = grip + QPoint(200 + (step % 2) * 7, 150 + (step % 2) * 5);
        s.mouse(QEvent::MouseMove, Qt::NoButton, to, Qt::LeftButton);
        QCoreApplication::processEvents();
        ++step;
    }
    s.view->zoomAbout(100, QPoint(0, 0));
    s.reset();
}

// Dragging the block.
void BM_BoardDragStep(benchmark::State& state)
{
    Scene& s = scene();
    s.view->zoomAbout(static_cast<int>(state.range(0)), QPoint(0, 0));
    s.reset();
    const int pitch = s.doc->Pitch();
    const int half = s.doc->PieceSize() / 2;
    measureDragSteps(state, s, kBlockAt + QPoint(5 * pitch + half, 5 * pitch + half));
}
BENCHMARK(BM_BoardDragStep)->Arg(10)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

// Dragging 100 chosen single pieces, the top-most of those scattered over
// the board that stay within the table as they move, carried by the highest
// of them.
void BM_SelectionDragStep(benchmark::State& state)
{
    Scene& s = scene();
    s.view->zoomAbout(static_cast<int>(state.range(0)), QPoint(0, 0));
    s.reset();
    const int cols = s.doc->GetCols();
    int highest = kNoPiece;
    int chosen = 0;
    for (int z = s.doc->PieceCount() - 1; z >= 0 && chosen < 100; --z) {
        const int c = s.doc->ZCol()[z];
        const int r = s.doc->ZRow()[z];
        const RECT& rect = s.doc->PieceRect()[c][r];
        if ((c < kBlock && r < kBlock) || rect.right > 1000 || rect.bottom > 750)
            continue;
        ToggleGroup(*s.doc, r * cols + c);
        highest = chosen++ == 0 ? r * cols + c : highest;
    }
    const RECT& top = s.doc->PieceRect()[highest % cols][highest / cols];
    const int half = s.doc->PieceSize() / 2;
    measureDragSteps(state, s, QPoint(top.left + half, top.top + half));
}
BENCHMARK(BM_SelectionDragStep)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// The first paint of the whole board after zooming to the percent given:
// below actual size the reduced piece images are made first, then the cache
// is built from the 1000 pieces and copied to the viewport.
void BM_BoardFirstPaint(benchmark::State& state)
{
    Scene& s = scene();
    s.reset();
    QWidget* vp = s.view->viewport();
    QImage target(vp->size(), QImage::Format_RGB32);
    const int percent = static_cast<int>(state.range(0));
    for (auto _ : state) {
        // Another level's reduced images take the place of this level's.
        state.PauseTiming();
        s.view->zoomAbout(50, QPoint(0, 0));
        vp->render(&target);
        state.ResumeTiming();
        s.view->zoomAbout(percent, QPoint(0, 0));
        vp->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    s.view->zoomAbout(100, QPoint(0, 0));
}
BENCHMARK(BM_BoardFirstPaint)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// One step of scrolling the board in a smaller pane: the cache keeps what
// stays in view and draws only the strip that came into it.
void BM_BoardScrollStep(benchmark::State& state)
{
    Scene& s = scene();
    s.reset();
    s.view->setGeometry(0, 0, 650, 500);
    QCoreApplication::processEvents();
    QWidget* vp = s.view->viewport();
    QImage target(vp->size(), QImage::Format_RGB32);
    vp->render(&target);
    int step = 0;
    for (auto _ : state) {
        s.view->horizontalScrollBar()->setValue(step % 2 == 0 ? 50 : 0);
        vp->render(&target);
        benchmark::DoNotOptimize(target.constBits());
        ++step;
    }
    s.view->setGeometry(0, 0, 1300, 1000);
}
BENCHMARK(BM_BoardScrollStep)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Scene built;
    g_scene = &built;
    benchmark::RunSpecifiedBenchmarks();
    g_scene = nullptr;
    benchmark::Shutdown();
    return 0;
}
