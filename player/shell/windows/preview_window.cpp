#include "preview_window.h"

#include "ini_settings.h"
#include "screen_area.h"
#include "title_room.h"
#include "vorpel_doc.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QShowEvent>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// The board picture as an image, or an empty one when the document holds
// none that matches the board (no puzzle loaded yet).
QImage boardImage(const CVorpelDoc& doc)
{
    const jigsaw::PackedDib& dib = doc.Picture();
    const int w = doc.BoardWidth();
    const int h = doc.BoardHeight();
    const int depth = dib.bitCount();
    if (dib.empty() || dib.width() != w || dib.height() != h || (depth != 8 && depth != 24))
        return {};
    if (dib.pixels().size() < dib.stride() * static_cast<std::size_t>(h))
        return {};
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = dib.rowFromTop(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (depth == 24) {
                const std::uint8_t* bgr = in + 3 * x;
                out[x] = qRgb(bgr[2], bgr[1], bgr[0]);
            } else {
                const int index = in[x];
                const jigsaw::RGBQUAD c = index < dib.colorCount() ? dib.color(index) : jigsaw::RGBQUAD{};
                out[x] = qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
            }
        }
    }
    return image;
}

// The window's size beyond the picture's: 10 across and 28 down, the room
// a caption and border once took; the picture sits in the middle.
constexpr int kPadWidth = 10;
constexpr int kPadHeight = 28;

}  // namespace

PreviewWindow::PreviewWindow(CVorpelDoc& doc, IniSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_doc(doc),
      m_settings(settings),
      m_pictureArea(new QLabel(this))
{
    setWindowTitle(tr("完 成 図"));
    const QSize pictureSize(doc.BoardWidth() * 33 / 100, doc.BoardHeight() * 33 / 100);
    const QImage board = boardImage(doc);
    // Stretched to exactly that size ({} keeps no proportions), smoothly.
    if (!board.isNull())
        m_picture = board.scaled(pictureSize, {}, Qt::SmoothTransformation);

    // A small picture leaves the window as wide as its title needs, the
    // picture in the middle.
    const int width = std::max(pictureSize.width() + kPadWidth, titleRoom(*this));
    m_pictureArea->setGeometry(QRect(QPoint((width - pictureSize.width()) / 2, kPadHeight / 2), pictureSize));
    m_pictureArea->setPixmap(QPixmap::fromImage(m_picture));
    setFixedSize(width, pictureSize.height() + kPadHeight);
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Only the corner of the client area is read; the size always follows
    // the picture.
    const RECT fallback = m_doc.GetPreviewWndRect();
    const QPoint corner(m_settings.readInt(QStringLiteral("rpleft"), fallback.left),
                        m_settings.readInt(QStringLiteral("rptop"), fallback.top));
    placeClientInside(*this, QRect(corner, size()));
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    // When the program quits, Qt closes every window after the main one; a
    // close while the main window is still open is the user's.
    event->accept();
    if (parentWidget() != nullptr && !parentWidget()->isVisible())
        return;
    m_doc.SetPreviewShown(0);
    m_settings.writeRect(QStringLiteral("rp"), geometry());
    emit closedByUser();
}

void PreviewWindow::reject()
{
    close();
}
