#include "app/sharedstate.h"
#include "support/fakes.h"
#include "support/testfolder.h"
#include "support/testrecords.h"
#include "teacher/recordexport.h"
#include "teacher/recordlist.h"
#include "teacher/recordpages.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

using testing::testRecord;

ResultsRecord record(int pupil, int level, int seconds, const char* school = "00123") {
    return testRecord(pupil, level, seconds)
        .date(38113.0)     // 2004/05/06
        .timeOfDay(0.4375) // 10:30:00
        .schoolCode(QString::fromLatin1(school));
}

class RecordListTest : public ::testing::Test {
  protected:
    RecordListTest() : names(kPupilSlots), grades(kPupilSlots) {
        names[12] = QStringLiteral("山田太郎");
        grades[12] = QStringLiteral("小３");
        names[13] = QStringLiteral("長谷川由美子さん");
        names[14] = QStringLiteral("Tanaka, Ken");
        context.schoolName = QStringLiteral("テスト塾");
        context.schoolCode = Untyped(QStringLiteral("00123"));
        context.names = names;
        context.gradeLabels = grades;
    }
    std::vector<QString> names;
    std::vector<QString> grades;
    RecordListContext context;
};

TEST_F(RecordListTest, LineHoldsAllSeventeenPartsInTheirWidths) {
    EXPECT_EQ(recordListLine(7, record(12, 3, 45), context),
              QStringLiteral(
                  "   7 2004/05/06　 10:30:00ﾚﾍﾞﾙ3　   45秒 　  12 山田太郎　　 小３++テスト塾"));
    ResultsRecord early = record(13, 1, 99999);
    early.timeOfDay = 0.25; // 6:00:00
    EXPECT_EQ(
        recordListLine(12345, early, context),
        QStringLiteral("12345 2004/05/06　  6:00:00ﾚﾍﾞﾙ1　99999秒 　  13 長谷川由美子 ++テスト塾"))
        << "long names are cut to six characters, numbers are never cut";
}

TEST_F(RecordListTest, RecordsOfAnotherSchoolOrWithoutOurCodeShowOtherSchool) {
    EXPECT_TRUE(
        recordListLine(1, record(12, 3, 45, "00999"), context).endsWith(QStringLiteral("++他塾")));
    // Without a code of our own nothing matches, not even records without a code.
    context.schoolCode = Untyped();
    EXPECT_TRUE(
        recordListLine(1, record(12, 3, 45, ""), context).endsWith(QStringLiteral("++他塾")));
    EXPECT_TRUE(recordListLine(1, record(12, 3, 45), context).endsWith(QStringLiteral("++他塾")));
}

TEST_F(RecordListTest, TornFileCountsAFractionAndLevelZeroRecordsAreNotListed) {
    testing::TestInstallation inst;
    testing::RecordingWaiter waiter;
    ResultsFile file(inst.resultsPath(), waiter);

    Result<RecordList> empty = BuildRecordList(file, context);
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty->countText, QStringLiteral("総レコード数:0"));
    EXPECT_TRUE(empty->lines.isEmpty());

    inst.writeBytes(inst.resultsPath(), record(12, 3, 45).encode() + record(12, 0, 50).encode() +
                                            record(13, 2, 60).encode() + QByteArray(12, '\0'));
    Result<RecordList> list = BuildRecordList(file, context);
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list->countText, QStringLiteral("総レコード数:3.27272727272727"));
    ASSERT_EQ(list->lines.size(), 2);
    EXPECT_EQ(list->numbers, (std::vector<int>{1, 3}));
    EXPECT_TRUE(list->lines[1].startsWith(QStringLiteral("   3 ")));
    EXPECT_EQ(recordCountText(132), QStringLiteral("総レコード数:3"));
}

TEST_F(RecordListTest, CsvExportHasJapaneseHeadingsAndOneLinePerListedRecord) {
    ResultsTail tail;
    tail.records = {record(12, 3, 45), record(12, 0, 50), record(14, 2, 99999, ""),
                    record(13, 2, 20, "00999")};
    tail.firstRecordNumber = 1;
    LevelTable<QString> levelNames{};
    levelNames[2] = QStringLiteral("小数のたし算");
    levelNames[3] = QStringLiteral("小数のひき算");
    CriteriaTable criteria;
    criteria.StandardTime[2] = 40;
    criteria.StandardTime[3] = 40;
    criteria.PointMultiplier[2] = 1.5f;
    criteria.PointMultiplier[3] = 1;
    grades[14] = QStringLiteral("中２");
    const QByteArray csv = recordsCsv(tail, context, levelNames, criteria);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF")); // the byte order mark spreadsheets look for
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(
        lines,
        (QStringList{QStringLiteral("レコード番号,日付,時刻,生徒番号,名前,学年,レベル,レベル名,秒,"
                                    "結果,ポイント,塾,塾コード"),
                     QStringLiteral("1,2004/05/06,10:30:00,12,山田太郎,小３,3,小数のひき算,45,完了,"
                                    "4,テスト塾,00123"),
                     QStringLiteral("3,2004/05/06,10:30:00,14,\"Tanaka, Ken\",中２,2,小数のたし算,,"
                                    "時間切れ,0,他塾,"),
                     QStringLiteral("4,2004/05/06,10:30:00,13,長谷川由美子さん,,2,小数のたし算,20,"
                                    "完了,16,他塾,00999"),
                     ""}));
}

// The browser's lines read a page at a time: the same lines as the whole list, whatever the
// size of the file; opening reads one page, scrolling reads the pages in view, and a few pages
// are kept.
TEST_F(RecordListTest, PagesGiveTheListsLinesReadingOnlyWhatIsInView) {
    QByteArray file;
    for (int i = 0; i < 8000; ++i)
        file += record(12 + i % 3, i % 97 == 5 ? 0 : 1 + i % 5, 30 + i % 50).encode();
    file += QByteArray(11, '\0'); // a torn last record
    int calls = 0;
    const ByteRangeReader read = [&](qint64 offset, qint64 length) -> Result<QByteArray> {
        ++calls;
        return file.mid(offset, length);
    };
    RecordPages pages(read, file.size(), context);
    EXPECT_EQ(pages.rowCount(), 8000);
    EXPECT_EQ(calls, 0) << "nothing is read before a line is asked for";

    ResultsTail tail;
    tail.byteLength = file.size();
    for (int i = 0; i < 8000; ++i)
        tail.records.push_back(ResultsRecord::decode(file.constData() + i * 44));
    const RecordList whole = recordList(tail, context);
    for (int row = 0; row < 40; ++row)
        pages.line(row);
    EXPECT_EQ(pages.bytesRead(), RecordPages::kPageRecords * 44) << "one page for the first screen";
    EXPECT_LE(pages.bytesRead(), 64 * 1024);

    size_t listed = 0;
    for (int row = 0; row < pages.rowCount(); ++row) {
        const QString line = pages.line(row);
        if (pages.levelOf(row) == 0) {
            EXPECT_TRUE(line.isEmpty());
            continue;
        }
        ASSERT_LT(listed, whole.lines.size());
        EXPECT_EQ(line, whole.lines[qsizetype(listed)]);
        EXPECT_EQ(RecordPages::numberOf(row), whole.numbers[listed]);
        ++listed;
    }
    EXPECT_EQ(listed, whole.lines.size());
    const int readsForAll = calls;
    EXPECT_EQ(readsForAll, (8000 + RecordPages::kPageRecords - 1) / RecordPages::kPageRecords);
    // The last pages read are kept; an earlier one is read again.
    pages.line(7999);
    EXPECT_EQ(calls, readsForAll);
    pages.line(0);
    EXPECT_EQ(calls, readsForAll + 1);

    // After a delete the file is shorter: the rows follow it.
    file.remove(0, 44);
    pages.reload(file.size() - 11);
    EXPECT_EQ(pages.rowCount(), 7999);
    EXPECT_EQ(pages.record(0)->time, 31);
    EXPECT_FALSE(pages.record(7999).ok());
}

} // namespace
} // namespace zanfolio
