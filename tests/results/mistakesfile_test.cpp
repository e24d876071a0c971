#include "frame/platformfile.h"
#include "results/mistakesfile.h"
#include "results/pendingmistakes.h"
#include "support/fakes.h"
#include "support/testfolder.h"
#include "support/testmistakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray kHeading =
    QStringLiteral("日付,時刻,生徒番号,レベル,第1数,符号,第2数,正答,入力,分類\r\n").toUtf8();

std::vector<QString> typedTexts(const std::vector<MistakeRecord>& records) {
    std::vector<QString> out;
    for (const MistakeRecord& r : records)
        out.push_back(r.typed);
    return out;
}

class MistakesFileTest : public ::testing::Test {
  protected:
    std::vector<MistakeRecord> read() {
        Result<MistakesRead> got = readMistakes(path);
        EXPECT_TRUE(got.ok());
        if (!got)
            return {};
        EXPECT_EQ(got->unreadableLines, 0);
        EXPECT_FALSE(got->tornTail);
        return got->records;
    }
    QByteArray bytes() const { return install.readBytes(path); }

    TestInstallation install;
    QString path = install.programDataDir() + QStringLiteral("誤答記録.csv");
    RecordingWaiter waiter;
};

TEST_F(MistakesFileTest, TheFileAsASpreadsheetReadsIt) {
    MistakeRecord r = testMistake(12, 1, QStringLiteral("0.1"), MistakeKind::PlaceAlignment);
    MistakeRecord plus = testMistake(7, 3, QStringLiteral("+3"), MistakeKind::Other,
                                     QDate(2026, 1, 2), QTime(9, 5, 7));
    plus.first = QStringLiteral("0.6");
    plus.second = QStringLiteral("0.5");
    plus.answer = QStringLiteral("1.1");
    ASSERT_TRUE(appendMistakes(path, {r, plus}, waiter).ok());
    EXPECT_EQ(bytes(), kBom + kHeading +
                           QStringLiteral("2026/12/10,10:30:05,12,1,0.07,＋,3,3.07,0.1,位取り\r\n"
                                          "2026/01/02,09:05:07,7,3,0.6,＋,0.5,1.1,'+3,その他\r\n")
                               .toUtf8());
}

TEST_F(MistakesFileTest, WhatIsWrittenIsReadBack) {
    std::vector<MistakeRecord> written;
    int n = 0;
    // Typed texts (and a few that no key makes) that a spreadsheet or a CSV reader would take
    // apart.
    for (const char* typed : {"0.1", "+3", "-5.", "1,2.", "*5", ".", "", "=1", "\"3\".", "3..."}) {
        ++n;
        written.push_back(
            testMistake(n, 1 + n % 5, QString::fromUtf8(typed), kMistakeKinds[size_t(n % 8)]));
    }
    written.back().sign = QStringLiteral("－");
    ASSERT_TRUE(appendMistakes(path, {written.begin(), written.begin() + 4}, waiter).ok());
    ASSERT_TRUE(appendMistakes(path, {written.begin() + 4, written.end()}, waiter).ok());
    EXPECT_EQ(read(), written);
}

TEST_F(MistakesFileTest, TheByteOrderMarkAndHeadingAreWrittenOnce) {
    for (const char* typed : {"1.", "2.", "3."})
        ASSERT_TRUE(
            appendMistakes(path, {testMistake(1, 1, QString::fromUtf8(typed))}, waiter).ok());
    const QByteArray b = bytes();
    EXPECT_TRUE(b.startsWith(kBom + kHeading));
    EXPECT_EQ(b.count(kBom), 1);
    EXPECT_EQ(b.count(kHeading), 1);
    EXPECT_EQ(b.count("\r\n"), 4);
    EXPECT_EQ(typedTexts(read()), (std::vector<QString>{"1.", "2.", "3."}));
}

TEST_F(MistakesFileTest, AnEmptyOrTornStartGetsTheHeading) {
    for (const QByteArray& start : {QByteArray(), kBom, kBom + kHeading.left(10)}) {
        install.writeBytes(path, start);
        ASSERT_TRUE(appendMistakes(path, {testMistake(1, 1, QStringLiteral("9."))}, waiter).ok());
        EXPECT_EQ(bytes(), kBom + kHeading + mistakeLine(testMistake(1, 1, QStringLiteral("9."))))
            << start.size() << " bytes before";
    }
}

TEST_F(MistakesFileTest, AnEmptyBatchLeavesTheFileAlone) {
    ASSERT_TRUE(appendMistakes(path, {}, waiter).ok());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(MistakesFileTest, AMissingFileHasNoMistakesAndIsNotCreated) {
    EXPECT_TRUE(read().empty());
    Result<MistakesRead> waited = readMistakes(path, waiter);
    ASSERT_TRUE(waited.ok());
    EXPECT_TRUE(waited->records.empty());
    EXPECT_TRUE(waiter.waits.empty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(MistakesFileTest, ATornLastLineIsIgnoredByReadersAndEndedByTheNextAppend) {
    ASSERT_TRUE(appendMistakes(path, {testMistake(1, 1, QStringLiteral("1."))}, waiter).ok());
    const QByteArray whole = bytes();
    const QByteArray torn = mistakeLine(testMistake(2, 1, QStringLiteral("2."))).left(17);
    install.writeBytes(path, whole + torn);
    Result<MistakesRead> read = readMistakes(path);
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read->tornTail);
    EXPECT_EQ(typedTexts(read->records), (std::vector<QString>{"1."}));

    // What may be data is never cut off: the line gets its end, the batch comes after it.
    ASSERT_TRUE(appendMistakes(path, {testMistake(3, 1, QStringLiteral("3."))}, waiter).ok());
    EXPECT_EQ(bytes(),
              whole + torn + "\r\n" + mistakeLine(testMistake(3, 1, QStringLiteral("3."))));
    read = readMistakes(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->unreadableLines, 1);
    EXPECT_EQ(typedTexts(read->records), (std::vector<QString>{"1.", "3."}));
}

TEST_F(MistakesFileTest, WhatALastLineWithoutItsLineEndHoldsIsNeverCutOff) {
    // Files a spreadsheet or an editor left: every wrong answer in them survives the next
    // append, and is read before and after it.
    std::vector<MistakeRecord> earlier;
    for (int n = 1; n <= 47; ++n)
        earlier.push_back(testMistake(n, 1 + n % 5, QStringLiteral("%1.").arg(n)));
    QByteArray lines;
    for (const MistakeRecord& r : earlier)
        lines += mistakeLine(r);
    QByteArray crOnly = lines;
    crOnly.replace("\r\n", "\r");
    struct Case {
        const char* name;
        QByteArray text;
        QByteArray end; // what the append puts before its lines
    };
    const Case cases[] = {
        {"CR-only line ends, no line feed at all, under 4096 bytes",
         kBom + QByteArray(kHeading).replace("\r\n", "\r") + crOnly, "\n"},
        {"a whole last line without its CR LF", kBom + kHeading + lines.chopped(2), "\r\n"},
        {"a whole last line without its LF", kBom + kHeading + lines.chopped(1), "\n"},
        {"no heading, one line without its CR LF", mistakeLine(earlier[0]).chopped(2), "\r\n"},
    };
    for (const Case& c : cases) {
        install.writeBytes(path, c.text);
        const bool single = c.text.count("\n") == 0 && !c.text.contains('\r');
        Result<MistakesRead> before = readMistakes(path);
        ASSERT_TRUE(before.ok()) << c.name;
        EXPECT_EQ(before->records.size(), single ? 1u : earlier.size()) << c.name;
        EXPECT_EQ(before->unreadableLines, 0) << c.name;

        const MistakeRecord added = testMistake(99, 1, QStringLiteral("99."));
        ASSERT_TRUE(appendMistakes(path, {added}, waiter).ok()) << c.name;
        EXPECT_EQ(bytes(), c.text + c.end + mistakeLine(added)) << c.name;
        Result<MistakesRead> after = readMistakes(path);
        ASSERT_TRUE(after.ok()) << c.name;
        EXPECT_EQ(after->records.size(), (single ? 1u : earlier.size()) + 1) << c.name;
        EXPECT_EQ(after->records.back(), added) << c.name;
        EXPECT_EQ(after->unreadableLines, 0) << c.name;
        EXPECT_FALSE(after->tornTail) << c.name;
    }
}

TEST_F(MistakesFileTest, LinesThatAreNoMistakeAreCountedAndSkipped) {
    const QByteArray good = mistakeLine(testMistake(1, 1, QStringLiteral("1.")));
    const char* bad[] = {
        "2026/12/10,10:30:05,12,1,0.07,＋,3,3.07,0.1\r\n",          // a cell short
        "2026/12/10,10:30:05,12,1,0.07,＋,3,3.07,0.1,位取り,x\r\n", // a cell over
        "2026/13/10,10:30:05,12,1,0.07,＋,3,3.07,0.1,位取り\r\n",   // no 13th month
        "2026/12/10,10:30,12,1,0.07,＋,3,3.07,0.1,位取り\r\n",      // no seconds
        "2026/12/10,10:30:05,十二,1,0.07,＋,3,3.07,0.1,位取り\r\n", // not a number
        "2026/12/10,10:30:05,12,1,0.07,＋,3,3.07,0.1,計算ミス\r\n", // no such kind
    };
    QByteArray text = kBom + kHeading + good + "\r\n";
    for (const char* line : bad)
        text += QByteArray(line) + good;
    const MistakesRead got = parseMistakes(text);
    EXPECT_EQ(got.unreadableLines, int(std::size(bad)));
    EXPECT_EQ(got.records.size(), std::size(bad) + 1);
    EXPECT_FALSE(got.tornTail);
}

TEST_F(MistakesFileTest, AnAppendWaitsWhileAnotherComputerHoldsTheLock) {
    ASSERT_TRUE(appendMistakes(path, {testMistake(1, 1, QStringLiteral("1."))}, waiter).ok());
    Result<PlatformFile> other = PlatformFile::open(path, PlatformFile::Mode::ReadWriteCreate);
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(*other->tryLock(0, 3));
    waiter.onWait = [&](int n) {
        if (n == 20)
            other->unlock(0, 3);
    };
    std::vector<Error> notices;
    MistakeAppendHooks hooks;
    hooks.onRetry = [&](const Error& e) { notices.push_back(e); };
    ASSERT_TRUE(
        appendMistakes(path, {testMistake(1, 1, QStringLiteral("2."))}, waiter, hooks).ok());
    // Far beyond the five seconds of other faults: another computer's lock is waited out.
    EXPECT_EQ(waiter.waits.size(), 20u);
    EXPECT_EQ(waiter.waits.back(), 1000);
    ASSERT_EQ(notices.size(), 20u);
    EXPECT_EQ(notices.front().kind, ErrorKind::Sharing);
    EXPECT_EQ(typedTexts(read()), (std::vector<QString>{"1.", "2."}));
}

TEST_F(MistakesFileTest, AMissingFolderIsWaitedOutForAboutFiveSecondsThenNamed) {
    const QString lost = install.root() + QStringLiteral("gone/誤答記録.csv");
    Status appended = appendMistakes(lost, {testMistake(1, 1, QStringLiteral("1."))}, waiter);
    ASSERT_FALSE(appended.ok());
    EXPECT_EQ(appended.error().kind, ErrorKind::NotFound);
    EXPECT_TRUE(appended.error().message.startsWith(QStringLiteral("誤答記録「")));
    int waited = 0;
    for (int ms : waiter.waits)
        waited += ms;
    EXPECT_GE(waited, 4000);
    EXPECT_LE(waited, 8000);
}

TEST_F(MistakesFileTest, AWriteThatFailsHalfWayIsCutBack) {
    ASSERT_TRUE(appendMistakes(path, {testMistake(1, 1, QStringLiteral("1."))}, waiter).ok());
    const QByteArray before = bytes();
    FillingDisk share{30};
    share.fail = 1;
    MistakeAppendHooks hooks;
    hooks.faults = &share;
    Status appended = appendMistakes(
        path, {testMistake(2, 1, QStringLiteral("2.")), testMistake(3, 1, QStringLiteral("3."))},
        waiter, hooks);
    ASSERT_FALSE(appended.ok());
    EXPECT_TRUE(appended.error().message.contains(QStringLiteral("ディスクの空きがありません")));
    EXPECT_EQ(bytes(), before);
}

class PendingMistakesTest : public MistakesFileTest {
  protected:
    Result<MistakesRecorded> record(std::initializer_list<const char*> typed) {
        std::vector<MistakeRecord> batch;
        for (const char* t : typed)
            batch.push_back(testMistake(5, 2, QString::fromUtf8(t)));
        MistakeAppendHooks hooks;
        hooks.faults = &share;
        return recordMistakes(path, pending, batch, waiter, hooks);
    }
    std::vector<QString> kept() {
        Result<std::vector<MistakeRecord>> k = pending.load();
        EXPECT_TRUE(k.ok());
        return k ? typedTexts(*k) : std::vector<QString>{};
    }

    FillingDisk share{30};
    PendingMistakes pending{install.root() + QStringLiteral("この計算機/未記録の誤答.csv")};
};

TEST_F(PendingMistakesTest, ABatchTheFileCannotTakeIsKeptAndDeliveredFirstExactlyOnce) {
    ASSERT_TRUE(record({"1."}).ok());
    share.fail = 1;
    Result<MistakesRecorded> first = record({"2.", "3."});
    ASSERT_TRUE(first.ok());
    EXPECT_TRUE(first->kept);
    EXPECT_TRUE(first->message.contains(QStringLiteral("ディスクの空きがありません")));
    EXPECT_TRUE(first->message.contains(QStringLiteral("このコンピュータに保管しました")));
    Result<MistakesRecorded> second = record({"4."});
    ASSERT_TRUE(second.ok());
    EXPECT_TRUE(second->kept);
    EXPECT_EQ(kept(), (std::vector<QString>{"2.", "3.", "4."}));
    EXPECT_EQ(typedTexts(read()), (std::vector<QString>{"1."}));

    share.fail = 0; // room again: the kept ones go first, in order, then this batch
    Result<MistakesRecorded> third = record({"5."});
    ASSERT_TRUE(third.ok());
    EXPECT_FALSE(third->kept);
    EXPECT_EQ(typedTexts(read()), (std::vector<QString>{"1.", "2.", "3.", "4.", "5."}));
    EXPECT_FALSE(QFile::exists(pending.path()));
    Result<int> again = pending.deliver(path, waiter);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(*again, 0);
    EXPECT_EQ(read().size(), 5u);
}

TEST_F(PendingMistakesTest, KeptMistakesAreDeliveredAtTheNextStart) {
    share.fail = 1;
    ASSERT_TRUE(record({"1.", "2."})->kept);
    share.fail = 0;
    Result<int> delivered = pending.deliver(path, waiter);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(*delivered, 2);
    EXPECT_EQ(typedTexts(read()), (std::vector<QString>{"1.", "2."}));
    EXPECT_FALSE(QFile::exists(pending.path()));
}

TEST_F(PendingMistakesTest, AMissingFolderKeepsTheBatchUntilItIsBack) {
    const QString folder = install.root() + QStringLiteral("share");
    path = folder + QStringLiteral("/誤答記録.csv");
    Result<MistakesRecorded> lost = record({"1."});
    ASSERT_TRUE(lost.ok());
    EXPECT_TRUE(lost->kept);
    EXPECT_EQ(kept(), (std::vector<QString>{"1."}));
    QDir().mkpath(folder);
    ASSERT_FALSE(record({"2."})->kept);
    EXPECT_EQ(typedTexts(read()), (std::vector<QString>{"1.", "2."}));
}

TEST_F(PendingMistakesTest, KeptMistakesWhoseAppendWentThroughBeforeAPowerCutAreNotWrittenAgain) {
    // "2." was made twice in the run. The batch reached the file, then the power went, before
    // the pending file was removed; other computers append 2500 lines (the same mistakes among
    // them) before this one starts again.
    const std::vector<MistakeRecord> batch{testMistake(5, 2, QStringLiteral("1.")),
                                           testMistake(5, 2, QStringLiteral("2.")),
                                           testMistake(5, 2, QStringLiteral("2."))};
    ASSERT_TRUE(pending.keep(batch, waiter).ok());
    PowerCut cut(path, true);
    MistakeAppendHooks hooks;
    hooks.faults = &cut;
    EXPECT_THROW((void)pending.deliver(path, waiter, hooks), PowerCut::Cut);
    EXPECT_EQ(kept().size(), 3u);
    std::vector<MistakeRecord> others;
    for (int i = 0; i < 2500; ++i)
        others.push_back(testMistake(5, 2, i % 2 ? QStringLiteral("2.") : QStringLiteral("x")));
    ASSERT_TRUE(appendMistakes(path, others, waiter).ok());
    Result<int> delivered = pending.deliver(path, waiter);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(*delivered, 3);
    const std::vector<QString> typed = typedTexts(read());
    ASSERT_EQ(typed.size(), 2503u);
    EXPECT_EQ(std::vector<QString>(typed.begin(), typed.begin() + 3),
              (std::vector<QString>{"1.", "2.", "2."}));
    EXPECT_FALSE(QFile::exists(pending.path()));
}

TEST_F(PendingMistakesTest, AnEqualLineElsewhereIsNoProofThatAKeptMistakeWasWritten) {
    // The power went just before the batch's write; the same wrong answer of another computer
    // (same pupil entry, second and answer) went in after the place this one had taken.
    const MistakeRecord same = testMistake(5, 2, QStringLiteral("1."));
    ASSERT_TRUE(appendMistakes(path, {testMistake(1, 1, QStringLiteral("0."))}, waiter).ok());
    ASSERT_TRUE(pending.keep({same}, waiter).ok());
    PowerCut cut(path, false);
    MistakeAppendHooks hooks;
    hooks.faults = &cut;
    EXPECT_THROW((void)pending.deliver(path, waiter, hooks), PowerCut::Cut);
    ASSERT_TRUE(appendMistakes(path, {testMistake(1, 1, QStringLiteral("9.")), same}, waiter).ok());
    ASSERT_TRUE(pending.deliver(path, waiter).ok());
    EXPECT_EQ(typedTexts(read()), (std::vector<QString>{"0.", "9.", "1.", "1."}));
}

TEST_F(PendingMistakesTest, MistakesKeptByAnEarlierVersionAreDeliveredByItsOwnRule) {
    // Ten cells to a line: an earlier version's file. It wrote its kept lines in one batch and
    // then removed the file, so all of them may have gone in; each line of the last 2000 of the
    // mistakes file accounts for one of them.
    const std::vector<MistakeRecord> earlier{testMistake(5, 2, QStringLiteral("1.")),
                                             testMistake(5, 2, QStringLiteral("2.")),
                                             testMistake(5, 2, QStringLiteral("2."))};
    QByteArray lines;
    for (const MistakeRecord& r : earlier)
        lines += mistakeLine(r);
    install.writeBytes(pending.path(), lines);
    ASSERT_TRUE(appendMistakes(path, {earlier[0], earlier[1]}, waiter).ok());
    EXPECT_EQ(kept(), (std::vector<QString>{"1.", "2.", "2."}));
    ASSERT_TRUE(pending.deliver(path, waiter).ok());
    EXPECT_EQ(typedTexts(read()), (std::vector<QString>{"1.", "2.", "2."}));
}

TEST_F(PendingMistakesTest, ATornLastKeptLineIsIgnoredAndWrittenOver) {
    ASSERT_TRUE(pending.keep({testMistake(5, 2, QStringLiteral("1."))}, waiter).ok());
    const QByteArray whole = install.readBytes(pending.path());
    install.writeBytes(pending.path(), whole + "2026/12/1");
    EXPECT_EQ(kept(), (std::vector<QString>{"1."}));
    ASSERT_TRUE(pending.keep({testMistake(5, 2, QStringLiteral("2."))}, waiter).ok());
    EXPECT_EQ(kept(), (std::vector<QString>{"1.", "2."}));
    // The mistakes file's line, and the place of a try: none yet.
    EXPECT_EQ(install.readBytes(pending.path()),
              whole + mistakeLine(testMistake(5, 2, QStringLiteral("2."))).chopped(2) + ",\r\n");
}

} // namespace
