#include "results/answersfile.h"
#include "results/mistakesfile.h"
#include "support/fakes.h"
#include "support/testmistakes.h"
#include "tools/commandfixture.h"

#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

// "Today" is Thursday 10 December 2026.
class MistakesCommand : public CommandFixture {
  protected:
    MistakesCommand()
        : CommandFixture(QStringLiteral("2026-12-10T10:30:00"), {QStringLiteral("mistakes")}) {}

    void add(int pupil, MistakeKind kind, const char* typed, QDate date, QTime time) {
        RecordingWaiter waiter;
        ASSERT_TRUE(
            appendMistakes(
                path, {testMistake(pupil, 1, QString::fromUtf8(typed), kind, date, time)}, waiter)
                .ok());
    }
    // The printed line for counts and examples of the kinds in their order.
    // `misconceptions`: the JSON array of the answers' diagnosis by level.
    static QString line(int pupil, int days, int unreadable, const QStringList& kinds,
                        const QString& misconceptions = QStringLiteral("[]")) {
        return QStringLiteral("{\"days\":%1,\"kinds\":[%2],\"misconceptions\":%5,\"pupil\":%3,"
                              "\"unreadable_lines\":%4}\n")
            .arg(days)
            .arg(kinds.join(u','))
            .arg(pupil)
            .arg(unreadable)
            .arg(misconceptions);
    }
    static QString kind(const char* label, int count, const QStringList& examples = {}) {
        QStringList quoted;
        for (const QString& e : examples)
            quoted << u'"' + e + u'"';
        return QStringLiteral("{\"count\":%1,\"examples\":[%2],\"kind\":\"%3\"}")
            .arg(count)
            .arg(quoted.join(u','))
            .arg(QString::fromUtf8(label));
    }
    static QStringList noMistakes() {
        QStringList kinds;
        for (MistakeKind k : kMistakeKinds)
            kinds << kind(mistakeKindLabel(k).toUtf8().constData(), 0);
        return kinds;
    }

    QString path = install.programDataDir() + QStringLiteral("誤答記録.csv");
};

TEST_F(MistakesCommand, PrintsEveryKindWithItsCountAndLatestExamples) {
    const QDate today(2026, 12, 10);
    add(12, MistakeKind::PlaceAlignment, "0.1", today, QTime(9, 0));
    add(12, MistakeKind::PlaceAlignment, "10", today, QTime(9, 5));
    add(12, MistakeKind::PlaceAlignment, "0.10", QDate(2026, 12, 1), QTime(9, 5));
    add(12, MistakeKind::Typo, "3.08", QDate(2026, 12, 9), QTime(17, 0));
    add(13, MistakeKind::Zero, "3.7", today, QTime(9, 0));              // another pupil
    add(12, MistakeKind::Zero, "3.7", QDate(2026, 10, 1), QTime(9, 0)); // before 30 days
    install.writeBytes(path, install.readBytes(path) + "2026/12/10,10:00:00,12\r\n");
    ASSERT_EQ(run({QStringLiteral("--pupil"), QStringLiteral("12")}), 0) << err.toStdString();
    QStringList kinds = noMistakes();
    kinds[0] =
        kind("位取り", 3, {QStringLiteral("0.07 ＋ 3 → 10"), QStringLiteral("0.07 ＋ 3 → 0.1")});
    kinds[5] = kind("打ち間違い", 1, {QStringLiteral("0.07 ＋ 3 → 3.08")});
    EXPECT_EQ(out, line(12, 30, 1, kinds));

    ASSERT_EQ(run({QStringLiteral("--pupil"), QStringLiteral("12"), QStringLiteral("--days"),
                   QStringLiteral("1")}),
              0);
    kinds = noMistakes();
    kinds[0] =
        kind("位取り", 2, {QStringLiteral("0.07 ＋ 3 → 10"), QStringLiteral("0.07 ＋ 3 → 0.1")});
    EXPECT_EQ(out, line(12, 1, 1, kinds));
}

TEST_F(MistakesCommand, WithoutAMistakesFileEveryCountIsZero) {
    ASSERT_EQ(run({QStringLiteral("--pupil"), QStringLiteral("12"), QStringLiteral("--days"),
                   QStringLiteral("365")}),
              0)
        << err.toStdString();
    EXPECT_EQ(out, line(12, 365, 0, noMistakes()));
}

// The answers file gives, by level, each way of working's opportunities, how often it showed
// and the verdict, over the same days.
TEST_F(MistakesCommand, PrintsOpportunitiesShownAndTheVerdictByLevel) {
    struct Answer {
        int pupil;
        int level;
        QDate date;
        bool showsPlace; // typed as 位取り gives it
    };
    const QDate today(2026, 12, 10);
    const Answer answers[] = {
        {12, 1, today, true},
        {12, 1, today, true},
        {12, 1, today, true},
        {12, 1, today, false}, // 3 of 4: 定着
        {12, 2, today, true},
        {12, 2, today, false},             // 1 of 2: たまに
        {13, 1, today, true},              // another pupil
        {12, 3, QDate(2026, 10, 1), true}, // before 30 days
    };
    std::vector<AnswerRecord> records;
    for (const Answer& a : answers) {
        AnswerRecord r;
        r.date = a.date;
        r.time = QTime(9, 0);
        r.pupil = a.pupil;
        r.level = a.level;
        r.first = QStringLiteral("0.07");
        r.sign = QStringLiteral("＋");
        r.second = QStringLiteral("3");
        r.answer = QStringLiteral("3.07");
        r.correct = !a.showsPlace;
        r.typed = a.showsPlace ? QStringLiteral("0.1") : QStringLiteral("3.07");
        r.opportunities = {MistakeKind::PlaceAlignment, MistakeKind::PointPosition};
        if (a.showsPlace) {
            r.kind = MistakeKind::PlaceAlignment;
            r.shown = {MistakeKind::PlaceAlignment};
        }
        records.push_back(r);
    }
    RecordingWaiter waiter;
    ASSERT_TRUE(
        appendAnswers(install.programDataDir() + QStringLiteral("解答記録.csv"), records, waiter)
            .ok());
    ASSERT_EQ(run({QStringLiteral("--pupil"), QStringLiteral("12")}), 0) << err.toStdString();
    const auto level = [](int number, int place, int placeShown, const char* verdict, int point) {
        const auto k = [](const char* name, int opportunities, int shown, const char* v) {
            return QStringLiteral(
                       "{\"kind\":\"%1\",\"opportunities\":%2,\"shown\":%3,\"verdict\":\"%4\"}")
                .arg(QString::fromUtf8(name))
                .arg(opportunities)
                .arg(shown)
                .arg(QString::fromUtf8(v));
        };
        return QStringLiteral("{\"kinds\":[%1],\"level\":%2}")
            .arg(QStringList{k("位取り", place, placeShown, verdict),
                             k("小数点の位置", point, 0, ""), k("ゼロ", 0, 0, ""),
                             k("逆算", 0, 0, ""), k("繰り上がり・繰り下がり", 0, 0, "")}
                     .join(u','))
            .arg(number);
    };
    EXPECT_EQ(out,
              line(12, 30, 0, noMistakes(),
                   u'[' + level(1, 4, 3, "定着", 4) + u',' + level(2, 2, 1, "たまに", 2) + u']'));
}

TEST_F(MistakesCommand, BadArgumentsExitWithTwo) {
    struct Case {
        QStringList args;
        const char* says;
    };
    for (const Case& c :
         {Case{{}, "--pupil"}, Case{{QStringLiteral("--pupil"), QStringLiteral("0")}, "--pupil"},
          Case{{QStringLiteral("--pupil"), QStringLiteral("12"), QStringLiteral("--days"),
                QStringLiteral("-1")},
               "--days"},
          Case{{QStringLiteral("--pupil"), QStringLiteral("12"), QStringLiteral("--days"),
                QStringLiteral("month")},
               "--days"}}) {
        EXPECT_EQ(run(c.args), 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.says))) << err.toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
}

} // namespace
