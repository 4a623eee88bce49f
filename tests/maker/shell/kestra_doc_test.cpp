#include "kestra_doc.h"

#include <gtest/gtest.h>

namespace {

CKestraDoc docWithPicture(int width, int height)
{
    CKestraDoc doc;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    doc.InstallPicture(kestra::pictureFromImage(image));
    return doc;
}

TEST(KestraDoc, FrameArithmeticAtOneToOne)
{
    CKestraDoc doc = docWithPicture(1000, 500);
    doc.FitDisplay(1014, 728);
    ASSERT_EQ(doc.m_nDisplayWidth, 1000);
    doc.ResetFrame();
    EXPECT_EQ(doc.m_rcFrame, (KRect{0, 0, 390, 492}));
    EXPECT_EQ(doc.m_rcFrameView, (KRect{1, 1, 389, 491}));
    doc.UpdateFrameFromView();
    EXPECT_EQ(doc.m_rcFrame, (KRect{1, 1, 389, 483}));
    EXPECT_EQ(doc.m_rcHandle[0], (KRect{-4, -4, 6, 6}));
    EXPECT_EQ(doc.m_rcHandle[3], (KRect{384, 486, 394, 496}));

    CKestraDoc small = docWithPicture(640, 480);
    small.FitDisplay(1014, 728);
    small.SetPuzzleSize(6);  // 3 × 4, 440 × 560
    small.ResetFrame();
    EXPECT_EQ(small.m_rcFrame.height(), 472);
    EXPECT_EQ(small.m_rcFrame.width(), 370);
}

TEST(KestraDoc, WideFrameAndScaledDisplay)
{
    // A frame limited by the width, on a picture shown scaled down.
    CKestraDoc doc = docWithPicture(3000, 2000);
    doc.FitDisplay(1014, 728);
    EXPECT_EQ(doc.m_nDisplayWidth, 1014);
    EXPECT_EQ(doc.m_nDisplayHeight, 676);
    doc.SetPuzzleSize(15);  // 1220 × 770
    doc.ResetFrame();
    EXPECT_EQ(doc.m_rcFrame, (KRect{0, 0, 3000, 1893}));
    EXPECT_EQ(doc.m_rcFrameView, (KRect{1, 1, 1013, 638}));
    doc.UpdateFrameFromView();
    EXPECT_EQ(doc.m_rcFrame, (KRect{2, 2, 2997, 1879}));
}

TEST(KestraDoc, CreationReadsTheDocumentsChoices)
{
    CKestraDoc doc = docWithPicture(200, 100);
    doc.SetPuzzleSize(12);
    EXPECT_EQ(doc.PuzzleWidth(), 1110);
    doc.SetPuzzleSize(16);
    EXPECT_EQ(doc.m_nSizeIndex, 12) << "an unknown size is ignored";

    doc.m_nDataFormat = 1;
    doc.m_rcFrame = {3, 4, 50, 60};
    const kestra::CreationRequest r = doc.CreationRequest();
    EXPECT_EQ(r.format, jigsaw::DataFormat::Small);
    EXPECT_EQ(r.bitCount, 24);
    EXPECT_EQ(r.source.width, 200);
    EXPECT_EQ(r.frame.bottom, 60);
    EXPECT_EQ(r.sizeIndex, 12);
}

}  // namespace
