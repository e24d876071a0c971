// Run by hand, skipped otherwise:
//   ZANFOLIO_SCREENSHOT_DIR=/tmp/screens  both screens with a class's worth of data, as PNG
//                                         files (support/screenshots.h)
//   ZANFOLIO_TIMING=1                     how long the distribution panel takes over 25000
//                                         records

#include "frame/daycount.h"
#include "frame/forms/textlist.h"
#include "results/resultsfile.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "support/screenshots.h"
#include "support/testrecords.h"
#include "teacher/distribution.h"
#include "teacher/forms/frmdata.h"
#include "teacher/forms/frmdatapeer.h"
#include "teacher/forms/frmtimedata.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextEdit>
#include <cstdio>
#include <gtest/gtest.h>

namespace zanfolio::testing {
namespace {

// A deterministic spread of runs: `count` records over five levels and forty pupils.
QByteArray classRecords(int count, const QDate& today) {
    QByteArray bytes;
    bytes.reserve(count * ResultsRecord::kSize);
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    for (int i = 0; i < count; ++i) {
        // The draws in this order: level, pupil, time, day, time of day, school.
        const int level = int(1 + next() % 5);
        const int pupil = int(1 + next() % 40);
        const int base = 30 + 10 * level;
        const int time = next() % 25 == 0 ? 99999 : int(base + next() % (3 * base));
        const double date = dayCount(today) - double(next() % 200);
        const double timeOfDay = dayFraction(QTime(9 + int(next() % 9), int(next() % 60)));
        const QString school = next() % 10 == 0 ? QStringLiteral("00777") : QStringLiteral("00123");
        bytes += testRecord(pupil, level, time)
                     .date(date)
                     .timeOfDay(timeOfDay)
                     .schoolCode(school)
                     .encode();
    }
    return bytes;
}

void writeRoster(ScreenHarness& h) {
    const QStringList names{QStringLiteral("山田　花子"), QStringLiteral("佐藤　一郎"),
                            QStringLiteral("鈴木　次郎"), QStringLiteral("高橋　美咲"),
                            QStringLiteral("田中　翔太"), QStringLiteral("伊藤　さくら")};
    QStringList lines;
    for (int k = 1; k <= 40; ++k)
        lines << QStringLiteral("%1,%2,0,0,%3,0,,").arg(k).arg(2012 + k % 8).arg(names[k % 6]);
    h.install.writeLines(h.install.rosterPath(), lines);
}

TEST(ByHand, Screenshots) {
    if (screenshotFolder().isEmpty())
        GTEST_SKIP() << "set ZANFOLIO_SCREENSHOT_DIR to render the screens";
    ScreenHarness h;
    writeRoster(h);
    h.install.writeCriteria(
        {QStringLiteral("40,60,30,5,1,,,7,7,,,"), QStringLiteral("50,75,30,5,1.2,10,,7,7,,,"),
         QStringLiteral("60,90,40,6,1.5,,200,7,7,,,"), QStringLiteral("80,120,40,6,2,,,14,14,,,"),
         QStringLiteral("100,150,9999,9999,2.5,,,14,14,,,")});
    h.install.writeBytes(h.install.resultsPath(), classRecords(400, h.clock.now().date()));

    h.host.replace(new FrmTimeData(h.context, h.teacherParts()));
    h.processEvents();
    auto* editor = h.currentAs<FrmTimeData>();
    ASSERT_NE(editor, nullptr);
    auto* input = control<QLineEdit>(editor, "Gridinputtext");
    ASSERT_NE(input, nullptr);
    QTest::keyClick(input, Qt::Key_Down);
    QTest::keyClick(input, Qt::Key_Right);
    QTest::keyClick(input, Qt::Key_Right);
    QTest::keyClick(input, Qt::Key_Right);
    QTest::keyClick(input, Qt::Key_Right);
    input->selectAll();
    QTest::keyClicks(input, QStringLiteral("1.3"));
    h.pump();
    EXPECT_TRUE(saveScreenshot(h.host, QStringLiteral("frmtimedata")));

    h.host.replace(new FrmData(h.context, h.teacherParts()));
    h.processEvents();
    auto* browser = h.currentAs<FrmData>();
    ASSERT_NE(browser, nullptr);
    control<QTextEdit>(browser, "RichTextBox1")
        ->setPlainText(QStringLiteral(
            "12月の連絡：レベル3の目標を見直しました。\n山田さん、よくがんばりました。"));
    FrmDataTestPeer::OpenRecordEditor(*browser, 3);
    control<TextList>(browser, "List1")->setCurrentRow(3);
    h.pump();
    EXPECT_TRUE(saveScreenshot(h.host, QStringLiteral("frmdata")));
}

TEST(ByHand, DistributionTiming) {
    if (qgetenv("ZANFOLIO_TIMING").isEmpty())
        GTEST_SKIP() << "set ZANFOLIO_TIMING=1 to time the distribution panel";
    ScreenHarness h;
    h.install.writeBytes(h.install.resultsPath(), classRecords(25000, h.clock.now().date()));
    ResultsFile file(h.install.resultsPath(), h.waiter);
    constexpr int kRuns = 50;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRuns; ++i)
        ASSERT_TRUE(ShowDistribution(file, 1 + i % 5));
    const double logicMs = double(timer.nsecsElapsed()) / 1e6 / kRuns;

    h.host.replace(new FrmTimeData(h.context, h.teacherParts()));
    h.processEvents();
    auto* editor = h.currentAs<FrmTimeData>();
    ASSERT_NE(editor, nullptr);
    auto* input = control<QLineEdit>(editor, "Gridinputtext");
    ASSERT_NE(input, nullptr);
    timer.restart();
    for (int i = 0; i < kRuns; ++i)
        QTest::keyClick(input, i % 2 ? Qt::Key_Up : Qt::Key_Down);
    const double keyMs = double(timer.nsecsElapsed()) / 1e6 / kRuns;
    std::printf(
        "ShowDistribution over 25000 records: %.2f ms; an arrow key with the panel: %.2f ms\n",
        logicMs, keyMs);
}

} // namespace
} // namespace zanfolio::testing
