// Reading back from the end of a file that grows in time order, to the start of a window of
// days: every line of the window is found (also one delivered late, out of order), nothing
// older is returned, and what is read does not grow with the history before the window.

#include "frame/daycount.h"
#include "results/windowread.h"
#include "support/testrecords.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace zanfolio {
namespace {

using testing::testRecord;

const QDate kToday(2026, 12, 10);

// A file in memory, read as the shared folder is read: a call per range.
struct FakeFile {
    QByteArray bytes;
    int calls = 0;
    ByteRangeReader reader() {
        return [this](qint64 offset, qint64 length) -> Result<QByteArray> {
            ++calls;
            return bytes.mid(offset, length);
        };
    }
};

ResultsRecord runOn(QDate date, int pupil) {
    return testRecord(pupil, 1, 40).date(dayCount(date));
}

// `perDay` runs a day for `days` days up to today, in time order.
FakeFile resultsOf(int days, int perDay) {
    FakeFile f;
    for (int d = days - 1; d >= 0; --d)
        for (int i = 0; i < perDay; ++i)
            f.bytes += runOn(kToday.addDays(-d), i).encode();
    return f;
}

TEST(RecordsSince, TheWindowAndNothingOlderWhateverTheHistoryBeforeIt) {
    for (int days : {40, 400, 4000}) {
        SCOPED_TRACE(days);
        FakeFile f = resultsOf(days, 50);
        const double firstDay = dayCount(kToday.addDays(-29)); // the last 30 days
        Result<RecordsSince> read = readRecordsSince(f.reader(), f.bytes.size(), firstDay);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read->records.size(), 30u * 50);
        EXPECT_EQ(read->recordCount, days * 50);
        for (const ResultsRecord& r : read->records)
            ASSERT_GE(r.date, firstDay);
        // The window (66 000 bytes), the slack week and a page at most.
        EXPECT_LE(read->bytesRead, (30 + kWindowSlackDays) * 50 * 44 + 2 * kWindowPageBytes);
        EXPECT_EQ(read->readCalls, f.calls);
    }
}

TEST(RecordsSince, OutOfOrderRecordsAreSortedOutByDate) {
    FakeFile f = resultsOf(60, 50);
    // A run of today that waited on a computer while older ones were delivered after it, and an
    // old one delivered today.
    f.bytes += runOn(kToday, 900).encode();
    for (int i = 0; i < 300; ++i)
        f.bytes += runOn(kToday.addDays(-3), 901).encode();
    f.bytes += runOn(kToday.addDays(-40), 902).encode();
    f.bytes += QByteArray(20, 'x'); // a torn last record
    Result<RecordsSince> read = readRecordsSince(f.reader(), f.bytes.size(), dayCount(kToday));
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read->records.size(), 51u); // today's 50 and the late one
    EXPECT_EQ(read->records.back().pupil, 900);
}

TEST(RecordsSince, NoFirstDayReadsEverythingInOneCall) {
    FakeFile f = resultsOf(10, 5);
    Result<RecordsSince> read = readRecordsSince(f.reader(), f.bytes.size(), 0);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->records.size(), 50u);
    EXPECT_EQ(read->readCalls, 1);
    EXPECT_EQ(read->firstRecordNumber, 1);
    Result<RecordsSince> none = readRecordsSince(f.reader(), 0, dayCount(kToday));
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none->records.empty());
}

// A CSV side file: byte order mark, heading, lines of differing lengths.
FakeFile linesOf(int days, int perDay, QStringList* lines = nullptr) {
    FakeFile f;
    f.bytes = QByteArrayLiteral("\xEF\xBB\xBF") + "日付,時刻,生徒番号\r\n";
    for (int d = days - 1; d >= 0; --d)
        for (int i = 0; i < perDay; ++i) {
            const QString line = kToday.addDays(-d).toString(QStringLiteral("yyyy/MM/dd")) +
                                 QStringLiteral(",10:00:00,%1,%2").arg(i).arg(QString(i % 7, u'x'));
            if (lines)
                *lines << line;
            f.bytes += (line + QStringLiteral("\r\n")).toUtf8();
        }
    return f;
}

QStringList windowLines(const LinesSince& read, const QDate& firstDate) {
    QStringList out;
    for (const QString& line : QString::fromUtf8(read.text).split(QStringLiteral("\r\n"))) {
        const QDate date = QDate::fromString(line.left(10), QStringLiteral("yyyy/MM/dd"));
        if (date.isValid() && date >= firstDate)
            out << line;
    }
    return out;
}

TEST(LinesSince, WholeLinesBackToTheWindowWhateverTheHistory) {
    for (int days : {40, 400, 2000}) {
        SCOPED_TRACE(days);
        QStringList all;
        FakeFile f = linesOf(days, 30, &all);
        const QDate first = kToday.addDays(-29);
        Result<LinesSince> read = readLinesSince(f.reader(), f.bytes.size(), first);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(windowLines(*read, first), all.mid(all.size() - 30 * 30));
        EXPECT_TRUE(read->startOffset == 0 || f.bytes.at(read->startOffset - 1) == '\n');
        EXPECT_EQ(f.bytes.mid(read->startOffset), read->text);
        EXPECT_LE(read->bytesRead, (30 + kWindowSlackDays) * 30 * 40 + 2 * kWindowPageBytes);
    }
}

TEST(LinesSince, LateLinesLongLinesAndNoWindow) {
    QStringList all;
    FakeFile f = linesOf(30, 30, &all);
    // A line of today delivered before a batch of older ones, and a line longer than a page.
    const QString late = kToday.toString(QStringLiteral("yyyy/MM/dd")) + QStringLiteral(",late");
    f.bytes += (late + QStringLiteral("\r\n")).toUtf8();
    for (int i = 0; i < 2000; ++i)
        f.bytes += QByteArrayLiteral("2026/12/08,10:00:00,7,old\r\n");
    const QString longLine =
        kToday.toString(QStringLiteral("yyyy/MM/dd")) + u',' + QString(3 * kWindowPageBytes, u'y');
    f.bytes += (longLine + QStringLiteral("\r\n")).toUtf8();
    Result<LinesSince> read = readLinesSince(f.reader(), f.bytes.size(), kToday);
    ASSERT_TRUE(read.ok());
    const QStringList today = windowLines(*read, kToday);
    EXPECT_EQ(today.size(), 30 + 2);
    EXPECT_TRUE(today.contains(late));
    EXPECT_EQ(today.last(), longLine);

    Result<LinesSince> whole = readLinesSince(f.reader(), f.bytes.size(), QDate());
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(whole->text, f.bytes);
    EXPECT_EQ(whole->readCalls, 1);
}

} // namespace
} // namespace zanfolio
