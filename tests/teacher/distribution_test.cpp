#include "support/fakes.h"
#include "support/testfolder.h"
#include "support/testrecords.h"
#include "teacher/columnexplanations.h"
#include "teacher/distribution.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

using testing::testRecord;

ResultsRecord record(int level, int pupil, int seconds) {
    return testRecord(pupil, level, seconds).date(38113).timeOfDay(0.4375);
}

// Level 1: a few pupils in the first buckets, slower runs first; level 2: nothing but
// time-outs; level 3: one crowded bucket; level 4: no records; a level-0 record counts nowhere.
class DistributionTest : public ::testing::Test {
  protected:
    DistributionTest() : file(inst.resultsPath(), waiter) {
        std::vector<ResultsRecord> rs{record(1, 1, 19),    record(1, 1, 5),     record(1, 2, 12),
                                      record(1, 2, 15),    record(1, 3, 25),    record(2, 3, 99999),
                                      record(2, 4, 99999), record(2, 4, 99999), record(0, 1, 3)};
        for (int i = 0; i < 25; ++i)
            rs.push_back(record(3, 10 + i, 45));
        for (int i = 0; i < 3; ++i)
            rs.push_back(record(3, 10 + i, 70 + i));
        rs.push_back(record(3, 50, 1000));
        QByteArray bytes;
        for (const ResultsRecord& r : rs)
            bytes += r.encode();
        inst.writeBytes(inst.resultsPath(), bytes);
    }
    DistributionLists lists(int level) {
        Result<DistributionLists> l = ShowDistribution(file, level);
        EXPECT_TRUE(l.ok());
        return l.ok() ? *l : DistributionLists{};
    }
    static int starLines(const QStringList& lines) {
        int n = 0;
        for (const QString& line : lines.mid(1))
            n += line.contains(u'★');
        return n;
    }

    testing::TestInstallation inst;
    testing::RecordingWaiter waiter;
    ResultsFile file;
};

TEST_F(DistributionTest, LinesHaveTheBucketStartRightAlignedInFourAndOneStarPerEntry) {
    const DistributionLists l = lists(1);
    ASSERT_EQ(l.List3.size(), 102);
    EXPECT_EQ(l.List3[0], QStringLiteral("レベル1 今まで5回  （★=1）"));
    EXPECT_EQ(l.List3[1], QStringLiteral("  0～★"));
    EXPECT_EQ(l.List3[2], QStringLiteral("  10～★★★"));
    EXPECT_EQ(l.List3[3], QStringLiteral("  20～★"));
    EXPECT_EQ(l.List3[11], QStringLiteral(" 100～"));
    EXPECT_EQ(l.List3[101], QStringLiteral("1000～"));
    // Best times: pupil 1 at 5 s (the slower 19 s is not kept), pupil 2 at 12, pupil 3 at 25.
    ASSERT_EQ(l.List4.size(), 102);
    EXPECT_EQ(l.List4[0], QStringLiteral("レベル1 （★=1）"));
    EXPECT_EQ(l.List4[1], QStringLiteral("  0～★"));
    EXPECT_EQ(l.List4[2], QStringLiteral("  10～★"));
    EXPECT_EQ(l.List4[3], QStringLiteral("  20～★"));
    EXPECT_EQ(starLines(l.List4), 3);
}

TEST_F(DistributionTest, TimedOutRunsFallInTheLastBucketAndTheirPupilsOnTheThreeHundredLine) {
    const DistributionLists l = lists(2);
    EXPECT_EQ(l.List3[0], QStringLiteral("レベル2 今まで3回  （★=1）"));
    EXPECT_EQ(l.List3[101], QStringLiteral("1000～★★★"));
    EXPECT_EQ(starLines(l.List3), 1);
    EXPECT_EQ(l.List4[31], QStringLiteral(" 300～★★"));
    EXPECT_EQ(starLines(l.List4), 1);
}

TEST_F(DistributionTest, CrowdedBucketScalesTheStarsAndRoundsHalfCounts) {
    const DistributionLists l = lists(3);
    // M = 25: one star for two entries; 25 → 13 stars, 3 → 2, 1 → 1 (Int(0.5 + 0.5)).
    EXPECT_EQ(l.List3[0], QStringLiteral("レベル3 今まで29回  （★=2）"));
    EXPECT_EQ(l.List3[5], QStringLiteral("  40～") + QString(13, u'★'));
    EXPECT_EQ(l.List3[8], QStringLiteral("  70～★★"));
    EXPECT_EQ(l.List3[101], QStringLiteral("1000～★"));
    // Pupils 10..12 ran 45 s and 70..72 s: their best is 45 s, so 25 pupils in bucket 4.
    EXPECT_EQ(l.List4[0], QStringLiteral("レベル3 （★=2）"));
    EXPECT_EQ(l.List4[5], QStringLiteral("  40～") + QString(13, u'★'));
    EXPECT_EQ(l.List4[31], QStringLiteral(" 300～★"));
}

TEST_F(DistributionTest, LevelWithoutRecordsHasCountZeroScaleOneAndNoStars) {
    const DistributionLists l = lists(4);
    EXPECT_EQ(l.List3[0], QStringLiteral("レベル4 今まで0回  （★=1）"));
    EXPECT_EQ(l.List4[0], QStringLiteral("レベル4 （★=1）"));
    EXPECT_EQ(starLines(l.List3) + starLines(l.List4), 0);
    EXPECT_EQ(lists(0).List3[0], QStringLiteral("レベル0 今まで0回  （★=1）"))
        << "level-0 records are never counted";
}

TEST(ColumnExplanations, KeepTheirTrailingSpacesAndTheSpareColumnsAreEmpty) {
    EXPECT_EQ(
        columnExplanation(1),
        QStringLiteral("合格基準タイム\n　大部分の人ががんばったら出せそうなタイムにしてください"));
    EXPECT_EQ(columnExplanation(3), QStringLiteral("目標ポイント\n　　 目標ポイント"));
    EXPECT_TRUE(columnExplanation(6).endsWith(QStringLiteral("にするか\n  ")));
    EXPECT_TRUE(columnExplanation(7).endsWith(QStringLiteral("にするか\n ")));
    EXPECT_EQ(columnExplanation(5).count(u'\n'), 2);
    for (int column : {0, 10, 11, 12, 13})
        EXPECT_TRUE(columnExplanation(column).isEmpty()) << column;
}

} // namespace
} // namespace zanfolio
