#include "frame/csvtext.h"
#include "results/answerrecord.h"
#include "results/answersfile.h"
#include "support/fakes.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace zanfolio {
namespace {

using K = MistakeKind;

AnswerRecord wrongAnswer() {
    AnswerRecord r;
    r.date = QDate(2026, 12, 10);
    r.time = QTime(10, 30, 5);
    r.pupil = 12;
    r.level = 1;
    r.first = QStringLiteral("0.07");
    r.sign = QStringLiteral("＋");
    r.second = QStringLiteral("3");
    r.answer = QStringLiteral("3.07");
    r.typed = QStringLiteral("0.1");
    r.tenthsOfSeconds = 42;
    r.kind = K::PlaceAlignment;
    r.opportunities = {K::PlaceAlignment, K::PointPosition, K::Zero, K::ReversedOperation};
    r.shown = {K::PlaceAlignment};
    return r;
}

TEST(AnswerRecord, LinesAsASpreadsheetReadsThemAndBack) {
    const AnswerRecord wrong = wrongAnswer();
    EXPECT_EQ(QString::fromUtf8(answerLine(wrong)),
              QStringLiteral("2026/12/10,10:30:05,12,1,,0.07,＋,3,3.07,0.1,誤,4.2,位取り,"
                             "位取り／小数点の位置／ゼロ／逆算,位取り\r\n"));
    AnswerRecord right = wrong;
    right.practice = true;
    right.typed = QStringLiteral("+3.07"); // a formula start stays text
    right.correct = true;
    right.kind.reset();
    right.shown.clear();
    right.tenthsOfSeconds = 30;
    right.opportunities = {K::CarryOrBorrow};
    EXPECT_EQ(QString::fromUtf8(answerLine(right)),
              QStringLiteral("2026/12/10,10:30:05,12,1,練習,0.07,＋,3,3.07,'+3.07,正,3.0,,"
                             "繰り上がり・繰り下がり,\r\n"));
    for (const AnswerRecord& r : {wrong, right}) {
        const CsvRows rows = parseCsv(QString::fromUtf8(answerLine(r)));
        ASSERT_EQ(rows.rows.size(), 1u);
        EXPECT_EQ(answerFromCells(rows.rows[0]), r);
    }
}

TEST(AnswerRecord, LinesThatAreNoAnswerAreRefused) {
    QStringList cells = answerCells(wrongAnswer());
    EXPECT_TRUE(answerFromCells(cells));
    const std::pair<int, QString> broken[] = {
        {0, QStringLiteral("2026-12-10")},
        {2, QStringLiteral("x")},
        {4, QStringLiteral("はい")},
        {10, QStringLiteral("?")},
        {11, QStringLiteral("-1")},
        {12, QStringLiteral("間違い")},
        {13, QStringLiteral("位取り／間違い")},
    };
    for (const auto& [cell, text] : broken) {
        QStringList c = cells;
        c[cell] = text;
        EXPECT_FALSE(answerFromCells(c)) << cell;
    }
    cells.removeLast();
    EXPECT_FALSE(answerFromCells(cells));
}

TEST(AnswerRecord, WhatTheDiagnosisCounts) {
    AnswerRecord r = wrongAnswer();
    AnsweredProblem a = r.asAnswered();
    EXPECT_EQ(a.pupil, 12);
    EXPECT_EQ(a.shown, std::vector<MistakeKind>{K::PlaceAlignment});
    EXPECT_FALSE(a.blank);
    r.kind = K::NoInput;
    EXPECT_TRUE(r.asAnswered().blank);
    r.correct = true;
    EXPECT_TRUE(r.asAnswered().shown.empty());
}

TEST(AnswersFile, AWindowIsReadBackFromTheEndAndSortedByDate) {
    testing::TestInstallation install;
    const QString path = install.programDataDir() + QStringLiteral("解答記録.csv");
    EXPECT_TRUE(readAnswersSince(path, QDate(2026, 1, 1))->records.empty()); // none yet
    EXPECT_FALSE(QFile::exists(path));

    // Two years of ten answers a day, a late one delivered out of order, and a line cut short.
    QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + answersHeading().toUtf8() + "\r\n";
    AnswerRecord a = wrongAnswer();
    for (QDate d(2025, 1, 1); d <= QDate(2026, 12, 10); d = d.addDays(1)) {
        a.date = d;
        for (int i = 0; i < 10; ++i)
            bytes += answerLine(a);
    }
    a.date = QDate(2026, 12, 1);
    a.typed = QStringLiteral("late");
    bytes += answerLine(a);
    bytes += QByteArrayLiteral("2026/12/10,10:31");
    install.writeBytes(path, bytes);

    Result<AnswersRead> week = readAnswersSince(path, QDate(2026, 12, 4));
    ASSERT_TRUE(week.ok());
    EXPECT_EQ(week->records.size(), 70u);
    EXPECT_TRUE(week->tornTail);
    EXPECT_LE(week->bytesRead, 2 * 64 * 1024); // a week and the week before it
    Result<AnswersRead> month = readAnswersSince(path, QDate(2026, 12, 1));
    ASSERT_TRUE(month.ok());
    EXPECT_EQ(month->records.size(), 101u);
    EXPECT_EQ(month->records.back().typed, QStringLiteral("late"));
    Result<AnswersRead> all = readAnswersSince(path, QDate());
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(all->records.size(),
              size_t(QDate(2025, 1, 1).daysTo(QDate(2026, 12, 10)) + 1) * 10 + 1);
    EXPECT_EQ(all->unreadableLines, 0);

    const Diagnosis d = diagnosisOf(week->records);
    EXPECT_EQ(d.systematicKinds(12, 1), std::vector<MistakeKind>{K::PlaceAlignment});
}

class AnswersAppendTest : public ::testing::Test {
  protected:
    std::vector<AnswerRecord> batch(std::initializer_list<const char*> typed) {
        std::vector<AnswerRecord> out;
        for (const char* t : typed) {
            AnswerRecord a = wrongAnswer();
            a.typed = QString::fromUtf8(t);
            out.push_back(a);
        }
        return out;
    }
    std::vector<QString> typedInFile() {
        Result<AnswersRead> read = readAnswersSince(path, QDate());
        EXPECT_TRUE(read.ok());
        std::vector<QString> out;
        if (read) {
            EXPECT_EQ(read->unreadableLines, 0);
            for (const AnswerRecord& r : read->records)
                out.push_back(r.typed);
        }
        return out;
    }

    testing::TestInstallation install;
    QString path = install.programDataDir() + QStringLiteral("解答記録.csv");
    testing::RecordingWaiter waiter;
    PendingAnswers pending{install.root() + QStringLiteral("この計算機/未記録の解答.csv")};
};

TEST_F(AnswersAppendTest, ANewFileStartsWithTheMarkAndHeadingAndNothingIsCutOff) {
    const std::vector<AnswerRecord> two = batch({"0.1", "3.07"});
    ASSERT_TRUE(appendAnswers(path, two, waiter).ok());
    const QByteArray start = QByteArrayLiteral("\xEF\xBB\xBF") + answersHeading().toUtf8() + "\r\n";
    EXPECT_EQ(install.readBytes(path), start + answerLine(two[0]) + answerLine(two[1]));

    // A last line a spreadsheet saved without its line end stays, and the batch goes after it.
    install.writeBytes(path, install.readBytes(path).chopped(2));
    ASSERT_TRUE(appendAnswers(path, batch({"3"}), waiter).ok());
    EXPECT_EQ(typedInFile(), (std::vector<QString>{"0.1", "3.07", "3"}));
    ASSERT_TRUE(appendAnswers(path, {}, waiter).ok());
    EXPECT_EQ(typedInFile().size(), 3u);
}

TEST_F(AnswersAppendTest, AFailedWriteLeavesTheFileAsItWas) {
    ASSERT_TRUE(appendAnswers(path, batch({"1."}), waiter).ok());
    const QByteArray before = install.readBytes(path);
    testing::FillingDisk disk{30};
    disk.fail = 1;
    MistakeAppendHooks hooks;
    hooks.faults = &disk;
    Status appended = appendAnswers(path, batch({"2.", "3."}), waiter, hooks);
    ASSERT_FALSE(appended.ok());
    EXPECT_TRUE(appended.error().message.contains(QStringLiteral("解答記録")));
    EXPECT_EQ(install.readBytes(path), before);
}

TEST_F(AnswersAppendTest, AnswersTheFolderCannotTakeAreKeptAndDeliveredExactlyOnce) {
    const QString folder = install.root() + QStringLiteral("share");
    path = folder + QStringLiteral("/解答記録.csv");
    Result<LinesRecorded> lost = recordAnswers(path, pending, batch({"1.", "2."}), waiter);
    ASSERT_TRUE(lost.ok());
    EXPECT_TRUE(lost->kept);
    EXPECT_TRUE(lost->message.contains(QStringLiteral("解答記録")));
    ASSERT_TRUE(pending.load().ok());
    EXPECT_EQ(pending.load()->size(), 2u);
    // The kept line is the file's own line and the place of the last try.
    EXPECT_TRUE(install.readBytes(pending.path())
                    .startsWith(answerLine(batch({"1."})[0]).chopped(2) + ','));

    QDir().mkpath(folder); // back: delivered at the next start, then never again
    Result<int> delivered = pending.deliver(path, waiter);
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(*delivered, 2);
    EXPECT_FALSE(QFile::exists(pending.path()));
    ASSERT_EQ(*pending.deliver(path, waiter), 0);
    ASSERT_FALSE(recordAnswers(path, pending, batch({"3."}), waiter)->kept);
    EXPECT_EQ(typedInFile(), (std::vector<QString>{"1.", "2.", "3."}));
}

} // namespace
} // namespace zanfolio
