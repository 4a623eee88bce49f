#pragma once

#include <QImage>
#include <QObject>
#include <QRegion>

#include <vector>

#include "document_test_support.h"
#include "sound_effects.h"
#include "vorpel_doc.h"

class CVorpelView;
class PieceImages;

// Writes down every sound the views ask for, in order.
class RecordingSounds final : public SoundEffects {
public:
    std::vector<SoundEffect> played;
    void play(SoundEffect effect) override { played.push_back(effect); }
    int count(SoundEffect effect) const;
};

// Collects the areas a widget it filters was asked to paint.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Where piece id's image lies when the whole puzzle is laid out upright with
// piece 0 at board (x0, y0).
POINT homePlace(const CVorpelDoc& doc, int piece, int x0, int y0);

// What a new board view paints from the document alone, with no cache
// history, at the size, zoom and scroll position of `shown`.
QImage freshBoardShot(const CVorpelView& shown, CVorpelDoc& doc, const PieceImages& images);
