#include "elapsed_clock.h"

#include "document_test_support.h"

#include <gtest/gtest.h>

TEST(ElapsedClock, HandsEndWhereTheOldConstantsPutThem)
{
    const std::pair<int, POINT> ends[] = {{0, {42, 25}}, {15, {66, 49}}, {30, {42, 74}}, {45, {17, 50}}};
    for (const auto& [seconds, end] : ends)
        EXPECT_EQ(ClockHandEnd(seconds, kSecondHandLength), end) << seconds;
}

TEST(ElapsedClock, NothingIsTimedBeforeAGame)
{
    const CVorpelDoc doc;
    EXPECT_FALSE(ElapsedClockAt(doc, 123'456'789).timed);
}

TEST(ElapsedClock, CountsWholeSecondsOfTheRunningGame)
{
    FakeClock clock;
    const auto doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::Indexed, clock);
    doc->SetElapsedBase(3600);
    doc->SetPiecesOut(5);
    const ElapsedClock c = ElapsedClockAt(*doc, clock.tick + 125'999);
    EXPECT_TRUE(c.timed);
    EXPECT_EQ(c.elapsedSeconds, 3725u);
    EXPECT_EQ(c.time, (ElapsedTime{1, 2, 5}));
    EXPECT_EQ(c.secondHandEnd, (POINT{54, 28}));
    EXPECT_EQ(c.minuteHandEnd, (POINT{46, 30}));
    EXPECT_EQ((std::pair{c.piecesOut, c.pieceCount}), (std::pair{5, 12}));

    // A negative base from a play file wraps around in 32 bits.
    doc->SetElapsedBase(-10);
    const ElapsedClock wrapped = ElapsedClockAt(*doc, clock.tick + 5'000);
    EXPECT_EQ(wrapped.elapsedSeconds, 4'294'967'291u);
    EXPECT_EQ(wrapped.time, (ElapsedTime{1'193'046, 28, 11}));
}

TEST(ElapsedClock, FreezesAtTheFinalTimeOnceComplete)
{
    FakeClock clock;
    const auto doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::Indexed, clock);
    doc->SetPiecesOut(12);
    doc->SetCompleted(1);
    EXPECT_EQ(TakeFinalTime(*doc, clock.tick + 61'000), (ElapsedTime{0, 1, 1}));
    EXPECT_EQ(doc->GetPlayable(), 0);
    EXPECT_EQ(doc->GetStartTick(), 0u);
    for (const std::uint64_t later : {clock.tick + 61'000, clock.tick + 900'000}) {
        const ElapsedClock c = ElapsedClockAt(*doc, later);
        EXPECT_TRUE(c.timed);
        EXPECT_EQ(c.time, (ElapsedTime{0, 1, 1}));
    }
    // The clock stopped with pieces still in the tray: nothing is timed.
    doc->SetPiecesOut(11);
    EXPECT_FALSE(ElapsedClockAt(*doc, clock.tick).timed);
}
