#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

class CKestraDoc;

// Window size for the document's puzzle: W·2/5 + 30 by H·2/5 + 50.
QSize previewWindowSize(const CKestraDoc& doc);

// The modeless preview "パズル": the framed part of the picture at 2/5 of the
// finished puzzle's size. It has no close button and stays open for the run.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    PreviewWindow(const CKestraDoc& doc, QWidget* parent);

    // Resizes the window to the puzzle size, keeping its top-left corner.
    void fitToPuzzle();

    // Where the picture is drawn, W·2/5 × H·2/5.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The window stays open for the whole run: a close asked for by the
    // window system (it has no close button, but a key may ask) is refused.
    void closeEvent(QCloseEvent* event) override;

private:
    const CKestraDoc& m_doc;
    // Drawing cache: the scaled frame contents and what they were made from.
    QImage m_cache;
    qint64 m_cacheKey = 0;
    QRect m_cacheSource;
};
