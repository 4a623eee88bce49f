// Paints the maker's screenshot for the README, offscreen: the sample
// landscape framed for the 80-piece puzzle, the frame made smaller by its
// corner and moved with the mouse, the window and its preview side by side.
// tools/make-screenshots.sh runs it once per language.
//
//   kestra-scenes OUT.png

#include "kestra_doc.h"
#include "kestra_settings.h"
#include "kestra_view.h"
#include "main_frame.h"
#include "picture_loader.h"
#include "preview_window.h"
#include "sample_picture.h"
#include "scene_support.h"
#include "translations.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The generated landscape of the sample puzzle.
kestra::LoadedPicture landscape(int width, int height)
{
    const std::vector<jigsaw::ColorRef> samples = jigsaw::samplePicture(width, height);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const jigsaw::ColorRef c = samples[static_cast<std::size_t>(x + width * y)];
            image.setPixel(x, y, qRgb(jigsaw::redOf(c), jigsaw::greenOf(c), jigsaw::blueOf(c)));
        }
    return kestra::pictureFromImage(image);
}

void framing(const char* out)
{
    QTemporaryDir dir;
    KestraSettings settings(dir.filePath(QStringLiteral("kestra.ini")));
    CKestraDoc doc;
    CMainFrame frame(doc, settings);
    frame.show();
    waitUntilShown(frame);
    // Fitted to a screen area small enough for the README.
    frame.installPicture(landscape(1600, 1300), QRect(0, 0, 520, 460));
    frame.action(32780)->trigger();  // 10 × 8 pieces
    CKestraView* view = frame.view();
    const auto global = [view](QPoint p) { return view->mapToGlobal(p); };

    const KRect start = doc.m_rcFrameView;
    const QPoint corner(start.right, start.bottom);
    const QPoint inward(start.left + start.width() * 3 / 5, start.top + start.height() * 3 / 5);
    drag(view, global(corner), global(inward));
    const KRect smaller = doc.m_rcFrameView;
    require(smaller.width() < start.width() * 2 / 3, "the frame did not shrink");
    const QPoint grab(smaller.left + smaller.width() / 2, smaller.top + smaller.height() / 2);
    drag(view, global(grab), global(grab + QPoint(smaller.width() / 3, smaller.height() / 4)));
    require(doc.m_rcFrameView.left > smaller.left, "the frame did not move");

    const QImage window = frame.grab().toImage();
    const QImage preview = frame.preview()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    constexpr int kGap = 12;
    QImage shot(window.width() + kGap + preview.width(), std::max(window.height(), preview.height()),
                QImage::Format_RGB32);
    shot.fill(QColor(228, 228, 228));
    QPainter painter(&shot);
    painter.drawImage(0, 0, window);
    painter.drawImage(window.width() + kGap, 0, preview);
    painter.end();
    save(shot, out, 0);  // the smallest file
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: kestra-scenes OUT.png\n", stderr);
        return 2;
    }
    installTranslations(QStringLiteral("kestra"), uiLanguage(), QStringLiteral(KESTRA_DIR));
    try {
        framing(argv[1]);
    } catch (const SceneFailed& failed) {
        std::fprintf(stderr, "kestra-scenes: %s\n", failed.reason);
        return 1;
    }
    return 0;
}
