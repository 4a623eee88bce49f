#include "frame_drag.h"

#include <gtest/gtest.h>

namespace {

// A 200 × 300 frame at (100, 100) on a 1010 × 520 view of a 1000 × 500
// picture shown at 1:1. The diagonals are y = 1.5x − 50 (corners 1 and 4)
// and y = −1.5x + 550 (corners 2 and 3).
class FrameDragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.m_nPictureWidth = doc.m_nDisplayWidth = 1000;
        doc.m_nPictureHeight = doc.m_nDisplayHeight = 500;
        doc.m_bPictureLoaded = true;
        doc.m_rcFrameView = {100, 100, 300, 400};
        doc.UpdateFrameFromView();
    }

    // Presses at `from`, moves to `to` and returns the frame while dragging.
    KRect dragTo(KPoint from, KPoint to)
    {
        EXPECT_TRUE(kestra::framePress(doc, from));
        kestra::frameDrag(doc, to, client);
        return doc.m_rcFrameView;
    }

    // A corner dragged to the mouse, and the frame that results.
    struct Case {
        KPoint corner;
        KPoint mouse;
        KRect expected;
    };

    CKestraDoc doc;
    const KRect client{0, 0, 1010, 520};
};

TEST_F(FrameDragTest, CornerChoosesThePointOnTheDiagonalByTheSideOfTheMouse)
{
    const Case cases[] = {
        // Top-left: horizontal projection above the line, vertical below.
        {{100, 100}, {100, 40}, {60, 40, 300, 400}},
        {{100, 100}, {80, 100}, {80, 70, 300, 400}},
        // Top-right keeps the smaller frame: P2 when the line is above the
        // mouse, P1 otherwise; 313.3 truncates to 313.
        {{300, 100}, {320, 80}, {100, 80, 313, 400}},
        {{300, 100}, {310, 40}, {100, 85, 310, 400}},
        // Bottom-left and bottom-right take the larger frame.
        {{100, 400}, {80, 400}, {80, 100, 300, 430}},
        {{100, 400}, {100, 460}, {60, 100, 300, 460}},
        {{300, 400}, {320, 400}, {100, 100, 320, 430}},
        {{300, 400}, {300, 460}, {100, 100, 340, 460}},
    };
    for (const Case& c : cases) {
        SetUp();
        EXPECT_EQ(dragTo(c.corner, c.mouse), c.expected) << "corner " << c.corner.x << "," << c.corner.y
                                                         << " mouse " << c.mouse.x << "," << c.mouse.y;
    }
}

TEST_F(FrameDragTest, FreeStretchFollowsTheMouseButNotBelowFiftyPixels)
{
    doc.m_bFreeStretch = true;
    EXPECT_EQ(dragTo({300, 400}, {350, 420}), (KRect{100, 100, 350, 420}));
    // 49 wide is refused and the frame stays; 50 is taken.
    kestra::frameDrag(doc, {149, 300}, client);
    EXPECT_EQ(doc.m_rcFrameView, (KRect{100, 100, 350, 420}));
    kestra::frameDrag(doc, {150, 149}, client);
    EXPECT_EQ(doc.m_rcFrameView, (KRect{100, 100, 350, 420}));
    kestra::frameDrag(doc, {150, 150}, client);
    EXPECT_EQ(doc.m_rcFrameView, (KRect{100, 100, 150, 150}));
    // Past the client edge the corner stops on it, each way on its own.
    kestra::frameDrag(doc, {1011, 300}, client);
    EXPECT_EQ(doc.m_rcFrameView, (KRect{100, 100, 1010, 300}));
    kestra::frameDrag(doc, {160, 900}, client);
    EXPECT_EQ(doc.m_rcFrameView, (KRect{100, 100, 160, 520}));
}

TEST_F(FrameDragTest, LockedCornerPastTheClientEdgeStopsOnItAlongTheDiagonal)
{
    // The diagonal point for y = 520 lies at x = 380, bottom 520: still inside.
    EXPECT_EQ(dragTo({300, 400}, {300, 520}), (KRect{100, 100, 380, 520}));
    kestra::frameDrag(doc, {300, 530}, client);
    EXPECT_EQ(doc.m_rcFrameView, (KRect{100, 100, 380, 520}));
    kestra::frameDrag(doc, {5000, 9000}, client);
    EXPECT_EQ(doc.m_rcFrameView, (KRect{100, 100, 380, 520}));
    kestra::frameRelease(doc);
    // Each corner pushed far out ends on an edge with the frame's proportions.
    const Case cases[] = {
        {{100, 100}, {-900, -900}, {33, 0, 300, 400}},
        {{300, 100}, {2000, -900}, {100, 0, 367, 400}},
        {{100, 400}, {-900, 2000}, {20, 100, 300, 520}},
        {{300, 400}, {2000, 2000}, {100, 100, 380, 520}},
    };
    for (const Case& c : cases) {
        SetUp();
        EXPECT_EQ(dragTo(c.corner, c.mouse), c.expected) << "corner " << c.corner.x << "," << c.corner.y;
        kestra::frameRelease(doc);
    }
}

TEST_F(FrameDragTest, HandlesWinOverTheBodyAndReachOutsideTheFrame)
{
    // 4 pixels outside the top-left corner, still in its handle.
    EXPECT_TRUE(kestra::framePress(doc, {96, 96}));
    EXPECT_EQ(doc.m_nCorner, 1);
    EXPECT_FALSE(doc.m_bMoving);
    kestra::frameRelease(doc);
    // Inside both the frame and the bottom-left handle: a corner drag.
    EXPECT_TRUE(kestra::framePress(doc, {103, 397}));
    EXPECT_EQ(doc.m_nCorner, 3);
    EXPECT_EQ(doc.m_hCurrentCursor, FrameCursor::SizeNESW);
    kestra::frameRelease(doc);
    // Outside the frame and every handle: nothing.
    EXPECT_FALSE(kestra::framePress(doc, {94, 94}));
    EXPECT_EQ(doc.m_nCorner, 0);
}

TEST_F(FrameDragTest, MoveKeepsTheFrameInsideTheClientAndCommitsOnRelease)
{
    EXPECT_TRUE(kestra::framePress(doc, {200, 200}));
    EXPECT_TRUE(doc.m_bMoving);
    EXPECT_EQ(doc.m_ptGrab, (KPoint{100, 100}));
    kestra::frameDrag(doc, {-500, -500}, client);
    EXPECT_EQ(doc.m_rcFrameView, (KRect{0, 0, 200, 300}));
    kestra::frameDrag(doc, {5000, 5000}, client);
    EXPECT_EQ(doc.m_rcFrameView, (KRect{810, 220, 1010, 520}));
    // The picture frame follows only on release.
    EXPECT_EQ(doc.m_rcFrame, (KRect{100, 100, 300, 392}));
    EXPECT_TRUE(kestra::frameRelease(doc));
    EXPECT_FALSE(doc.m_bMoving);
    EXPECT_EQ(doc.m_rcFrame, (KRect{810, 220, 1010, 512}));
    EXPECT_EQ(doc.m_rcHandle[3], (KRect{1005, 515, 1015, 525}));
    EXPECT_FALSE(kestra::frameRelease(doc));
}

TEST_F(FrameDragTest, CursorShowsTheRegionAndStaysDuringADrag)
{
    EXPECT_EQ(kestra::frameCursorAt(doc, {200, 200}), FrameCursor::SizeAll);
    EXPECT_EQ(kestra::frameCursorAt(doc, {297, 397}), FrameCursor::SizeNWSE);
    EXPECT_EQ(kestra::frameCursorAt(doc, {303, 97}), FrameCursor::SizeNESW);
    EXPECT_EQ(kestra::frameCursorAt(doc, {600, 450}), FrameCursor::Arrow);
    kestra::framePress(doc, {300, 400});
    EXPECT_EQ(kestra::frameCursorAt(doc, {600, 450}), FrameCursor::SizeNWSE);
    EXPECT_EQ(kestra::frameCursorAt(doc, {200, 200}), FrameCursor::SizeNWSE);
    kestra::frameRelease(doc);
    EXPECT_EQ(kestra::frameCursorAt(doc, {600, 450}), FrameCursor::Arrow);
}

}  // namespace
