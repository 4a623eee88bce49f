#include "best_times.h"

#include "document_test_support.h"

#include <gtest/gtest.h>

namespace {

const std::string kHead = "vorpel-records 1\n";
const std::string kLine = "00000000000000ff\t12\t3725\t2\t1700000000\t1700000100\tsample.jzt\n";

}  // namespace

TEST(BestTimes, RecordsSurviveWritingAndReading)
{
    const std::vector<PuzzleRecord> records{
        {0xFF, "sample.jzt", 12, 3725, 2, 1'700'000'000, 1'700'000'100},
        {0xFEDCBA9876543210, "夏 休み.jpd", 1000, 0, 4'000'000'000u, 0, 0},
        {1, "", 1, 4'294'967'295u, 1, 5, 5},
    };
    const std::string text = WriteRecords(records);
    EXPECT_TRUE(text.starts_with(kHead + kLine));
    EXPECT_EQ(std::get<0>(ParseRecords(text)), records);
    EXPECT_TRUE(std::get<0>(ParseRecords("")).empty());
}

TEST(BestTimes, DamagedFilesAreRefusedWithTheirFault)
{
    const auto line = [](std::string from, const std::string& to) {
        return kHead + kLine + kLine.substr(0, kLine.find(from)) + to + kLine.substr(kLine.find(from) + from.size());
    };
    const struct {
        std::string text;
        RecordsFault fault;
    } cases[] = {
        {"<html>\n", {RecordsError::NotARecordsFile, 1}},
        {"vorpel-records 2\n" + kLine, {RecordsError::UnknownVersion, 1}},
        {kHead + kLine.substr(0, 30), {RecordsError::Unterminated, 2}},
        {kHead + "\n", {RecordsError::FieldCount, 2}},
        {line("\tsample", "\t\tsample"), {RecordsError::FieldCount, 3}},
        {line("00000000000000ff", "00000000000000fg"), {RecordsError::IdentityInvalid, 3}},
        {line("00000000000000ff", "0000000000000ff"), {RecordsError::IdentityInvalid, 3}},
        {line("\t12\t", "\t1001\t"), {RecordsError::PiecesInvalid, 3}},
        {line("\t12\t", "\t0\t"), {RecordsError::PiecesInvalid, 3}},
        {line("3725", "4294967296"), {RecordsError::SecondsInvalid, 3}},
        {line("3725", "-1"), {RecordsError::SecondsInvalid, 3}},
        {line("\t2\t", "\t0\t"), {RecordsError::CountInvalid, 3}},
        {line("1700000100", "1699999999"), {RecordsError::DateInvalid, 3}},
        {line("1700000000", "+1"), {RecordsError::DateInvalid, 3}},
        {line("sample", "\x81sample"), {RecordsError::NameInvalid, 3}},
        {line("sample", "sam\rple"), {RecordsError::NameInvalid, 3}},
        {line("ff\t", "ff\t"), {RecordsError::DuplicateIdentity, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::get<RecordsFault>(ParseRecords(c.text)), c.fault) << c.text;
}

TEST(BestTimes, EachFinishCountsAndKeepsTheBest)
{
    std::vector<PuzzleRecord> records;
    const struct {
        std::uint32_t seconds;
        std::optional<std::uint32_t> previous;
        std::uint32_t best;
        bool newBest;
    } finishes[] = {
        {300, std::nullopt, 300, false}, {400, 300, 300, false}, {250, 300, 250, true}, {250, 250, 250, false}};
    std::int64_t now = 1'000;
    for (const auto& f : finishes) {
        const CompletionRecord r = RecordCompletion(records, 7, "a\tb.jzt", 12, f.seconds, now += 10);
        EXPECT_EQ(r.previousBest, f.previous);
        EXPECT_EQ(r.bestSeconds, f.best);
        EXPECT_EQ(r.newBest(), f.newBest);
    }
    RecordCompletion(records, 8, "\xFF", 30, 9, now);
    EXPECT_EQ(records,
              (std::vector<PuzzleRecord>{{7, "a b.jzt", 12, 250, 4, 1'030, 1'040}, {8, "", 30, 9, 1, now, now}}));
    EXPECT_EQ(std::get<0>(ParseRecords(WriteRecords(records))), records);
}

// The same picture cut the other way or played elsewhere is the same puzzle;
// another geometry is not.
TEST(BestTimes, IdentityFollowsGeometryAndPicture)
{
    FakeClock clock;
    const auto large = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, clock);
    const auto small = loadedDoc(kSize12, jigsaw::DataFormat::Small, jigsaw::ColorFormat::TrueColor, clock);
    small->PieceRect()[0][0] = RECT{500, 500, 700, 700};
    small->SetMessageText("other");
    EXPECT_EQ(PuzzleIdentity(*large), PuzzleIdentity(*small));
    small->SetMargin(small->GetMargin() + 1);
    EXPECT_NE(PuzzleIdentity(*large), PuzzleIdentity(*small));
    const auto turned = loadedDoc(7, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, clock);
    EXPECT_NE(PuzzleIdentity(*large), PuzzleIdentity(*turned));
}
