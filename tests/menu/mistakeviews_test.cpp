#include "app/sharedstate.h"
#include "menu/mistakeviews.h"
#include "results/mistakesfile.h"
#include "support/fakes.h"
#include "support/testmistakes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace zanfolio {
namespace {

using testing::testMistake;
using K = MistakeKind;

// Thursday 10 December 2026, half past ten.
const QDateTime kNow(QDate(2026, 12, 10), QTime(10, 30));
const QDate kToday = kNow.date();

MistakeRecord made(int pupil, int level, K kind, QDate date, const char* typed,
                   QTime time = QTime(9, 0)) {
    return testMistake(pupil, level, QString::fromUtf8(typed), kind, date, time);
}

std::vector<MistakeRecord> many(int pupil, int level, K kind, int n, QDate date = kToday) {
    return std::vector<MistakeRecord>(size_t(n), made(pupil, level, kind, date, "1."));
}

std::vector<MistakeRecord> joined(std::initializer_list<std::vector<MistakeRecord>> parts) {
    std::vector<MistakeRecord> out;
    for (const std::vector<MistakeRecord>& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Pupils 1 and 2 in 小３, 3 in 中１; five levels, the fourth a practice level.
std::unique_ptr<SharedState> school() {
    auto s = std::make_unique<SharedState>();
    s->roster.SchoolYear = 2026;
    s->program.LevelCount = 5;
    const char* names[] = {"", "足し算１", "引き算１", "足し算２", "足し算練習", "混合"};
    for (int level = 1; level <= 5; ++level)
        s->program.LevelNames[size_t(level)] = QString::fromUtf8(names[level]);
    s->roster.RosterNames[1] = QStringLiteral("  佐藤蓮  ");
    s->roster.RosterBirthYears[1] = 2017;
    s->roster.RosterBirthYears[2] = 2017;
    s->roster.RosterBirthYears[3] = 2013;
    return s;
}

TEST(MistakeViews, WindowChoicesAreTheMenusDateWindows) {
    EXPECT_EQ(mistakeWindowEntries().size(), 5);
    struct Case {
        QDate today;
        int choice;
        int days;
    };
    const QDate thursday = kToday;
    const QDate sunday(2026, 12, 13);
    for (const Case& c : {Case{thursday, 1, 4}, Case{thursday, 2, 11}, Case{thursday, 3, 30},
                          Case{thursday, 4, 365}, Case{thursday, 5, 0}, Case{sunday, 1, 7},
                          Case{sunday, 2, 14}, Case{thursday, 0, 30}, Case{thursday, 9, 30}}) {
        EXPECT_EQ(mistakeWindowDays(c.choice, c.today), c.days)
            << c.today.toString(Qt::ISODate).toStdString() << " choice " << c.choice;
        // What is read of the file: the window's days, or everything for "今まで".
        EXPECT_EQ(mistakeWindowFirstDate(c.choice, c.today),
                  c.days ? c.today.addDays(1 - c.days) : QDate());
    }
}

TEST(MistakeViews, APupilsKindsMostFirstWithExamplesAndTheKindsThatDidNotComeUp) {
    const auto s = school();
    const std::vector<MistakeRecord> records{
        made(1, 1, K::PlaceAlignment, kToday.addDays(-2), "10"),
        made(1, 2, K::PointPosition, kToday.addDays(-1), "30.7"),
        made(1, 1, K::PointPosition, kToday, "0.307"),
        made(1, 1, K::PointPosition, kToday.addDays(-20), "307"), // outside this week
        made(2, 1, K::Typo, kToday, "3.08"),                      // another pupil
    };
    struct Case {
        const char* name;
        int choice;
        QString heading;
        QString total;
        std::vector<MistakeKindLine> kinds;
    };
    const MistakeKindLine placeAlignment{
        QStringLiteral("位取り"), QStringLiteral("1回"), {QStringLiteral("0.07 ＋ 3 → 10")}};
    const Case cases[] = {
        {"this week",
         1,
         QStringLiteral("佐藤蓮さん（今週）"),
         QStringLiteral("全レベルの間違い 3回"),
         {{QStringLiteral("小数点の位置"),
           QStringLiteral("2回"),
           {QStringLiteral("0.07 ＋ 3 → 0.307"), QStringLiteral("0.07 ＋ 3 → 30.7")}},
          placeAlignment}},
        {"one month",
         3,
         QStringLiteral("佐藤蓮さん（最近１ヶ月）"),
         QStringLiteral("全レベルの間違い 4回"),
         {{QStringLiteral("小数点の位置"),
           QStringLiteral("3回"),
           {QStringLiteral("0.07 ＋ 3 → 0.307"), QStringLiteral("0.07 ＋ 3 → 30.7")}},
          placeAlignment}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PupilMistakesView view = pupilMistakesView(s->roster, records, 1, kNow, c.choice);
        EXPECT_EQ(view.heading, c.heading);
        EXPECT_EQ(view.total, c.total);
        ASSERT_EQ(view.kinds.size(), c.kinds.size());
        for (size_t i = 0; i < c.kinds.size(); ++i) {
            EXPECT_EQ(view.kinds[i].kind, c.kinds[i].kind) << i;
            EXPECT_EQ(view.kinds[i].count, c.kinds[i].count) << i;
            EXPECT_EQ(view.kinds[i].examples, c.kinds[i].examples) << i;
        }
        EXPECT_EQ(view.absent, QStringLiteral("なし：ゼロ、逆算、繰り上がり・繰り下がり、"
                                              "打ち間違い、未入力、その他"));
    }
}

TEST(MistakeViews, APupilWithoutMistakesOrWithEveryKind) {
    const auto s = school();
    const PupilMistakesView none = pupilMistakesView(s->roster, many(2, 1, K::Typo, 3), 1, kNow, 3);
    EXPECT_EQ(none.total, QStringLiteral("この期間の間違いはありません"));
    EXPECT_TRUE(none.kinds.empty());
    EXPECT_TRUE(none.absent.isEmpty());

    std::vector<MistakeRecord> every;
    for (K kind : kMistakeKinds)
        every.push_back(made(1, 1, kind, kToday, "1."));
    const PupilMistakesView all = pupilMistakesView(s->roster, every, 1, kNow, 3);
    EXPECT_EQ(all.kinds.size(), kMistakeKinds.size()) << "ties stay in the kinds' order";
    for (size_t i = 0; i < kMistakeKinds.size(); ++i)
        EXPECT_EQ(all.kinds[i].kind, mistakeKindLabel(kMistakeKinds[i]));
    EXPECT_TRUE(all.absent.isEmpty());
}

TEST(MistakeViews, ATeacherEntryIsNamedAsItStands) {
    auto s = school();
    s->roster.RosterNames[9] = QStringLiteral("山田先生");
    EXPECT_EQ(pupilMistakesView(s->roster, {}, 9, kNow, 3).heading,
              QStringLiteral("山田先生（最近１ヶ月）"));
    EXPECT_EQ(pupilMistakesView(s->roster, {}, 1, kNow, 3).heading,
              QStringLiteral("佐藤蓮さん（最近１ヶ月）"));
}

TEST(MistakeViews, TheClassesKindsPerLevelForTheGradeGroup) {
    const auto s = school();
    const std::vector<MistakeRecord> records = joined({
        many(1, 1, K::PointPosition, 5), many(2, 1, K::PointPosition, 2),
        many(1, 1, K::PlaceAlignment, 2), many(2, 1, K::Zero, 1), many(2, 1, K::Typo, 1),
        many(1, 1, K::NoInput, 1), many(3, 1, K::ReversedOperation, 9), // 中１
        many(1, 2, K::Typo, 4, kToday.addDays(-40)),                    // before the month
        many(1, 4, K::Other, 3),                                        // the practice level
        many(2, 5, K::CarryOrBorrow, 1, kToday.addDays(-3)),            // this month
    });
    struct Row {
        const char* level;
        const char* total;
        const char* pupils;
        QStringList top;
        QStringList rest;
    };
    struct Case {
        const char* group;
        int choice;
        QString heading;
        std::vector<Row> rows;
    };
    const Case cases[] = {
        {"小３",
         3,
         QStringLiteral("間違いの傾向　小３（最近１ヶ月）"),
         {{"1 足し算１",
           "12回",
           "2人",
           {QStringLiteral("小数点の位置\n7回（58％）"), QStringLiteral("位取り\n2回（17％）"),
            QStringLiteral("ゼロ\n1回（8％）")},
           {QStringLiteral("打ち間違い 1回"), QStringLiteral("未入力 1回")}},
          {"2 引き算１", "－", "－", {}, {}},
          {"3 足し算２", "－", "－", {}, {}},
          {"5 混合", "1回", "1人", {QStringLiteral("繰り上がり・繰り下がり\n1回（100％）")}, {}}}},
        {"中学生全体",
         1,
         QStringLiteral("間違いの傾向　中学生全体（今週）"),
         {{"1 足し算１", "9回", "1人", {QStringLiteral("逆算\n9回（100％）")}, {}},
          {"2 引き算１", "－", "－", {}, {}},
          {"3 足し算２", "－", "－", {}, {}},
          {"5 混合", "－", "－", {}, {}}}},
        {"全学年",
         5,
         QStringLiteral("間違いの傾向　全学年（今まで）"),
         {{"1 足し算１",
           "21回",
           "3人",
           {QStringLiteral("逆算\n9回（43％）"), QStringLiteral("小数点の位置\n7回（33％）"),
            QStringLiteral("位取り\n2回（10％）")},
           {QStringLiteral("ゼロ 1回"), QStringLiteral("打ち間違い 1回"),
            QStringLiteral("未入力 1回")}},
          {"2 引き算１", "4回", "1人", {QStringLiteral("打ち間違い\n4回（100％）")}, {}},
          {"3 足し算２", "－", "－", {}, {}},
          {"5 混合", "1回", "1人", {QStringLiteral("繰り上がり・繰り下がり\n1回（100％）")}, {}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        const ClassMistakesView view = classMistakesView(
            s->program, s->roster, records, QString::fromUtf8(c.group), kNow, c.choice);
        EXPECT_EQ(view.heading, c.heading);
        ASSERT_EQ(view.rows.size(), c.rows.size());
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const ClassMistakesRow& row = view.rows[i];
            const Row& e = c.rows[i];
            SCOPED_TRACE(e.level);
            EXPECT_EQ(row.levelText, QString::fromUtf8(e.level));
            EXPECT_EQ(row.total, QString::fromUtf8(e.total));
            EXPECT_EQ(row.pupils, QString::fromUtf8(e.pupils));
            EXPECT_EQ(row.top, e.top);
            EXPECT_EQ(row.rest, e.rest);
        }
    }
}

// A view holds the mistakes of its window, read back from the end of a file of years; a shorter
// window reads nothing more, a longer one reads again.
// `opportunities` answers of a pupil on which `kind` could show, `shown` of them showing it.
std::vector<AnswerRecord> answers(int pupil, int level, K kind, int opportunities, int shown,
                                  QDate date = kToday) {
    std::vector<AnswerRecord> out;
    for (int i = 0; i < opportunities; ++i) {
        AnswerRecord a;
        a.date = date;
        a.time = QTime(9, 0);
        a.pupil = pupil;
        a.level = level;
        a.opportunities = {kind};
        a.correct = i >= shown;
        if (!a.correct) {
            a.kind = kind;
            a.shown = {kind};
        }
        out.push_back(a);
    }
    return out;
}

TEST(MistakeViews, TheClassesSystematicPupilsPerLevelAndAPupilsVerdicts) {
    auto s = school();
    s->roster.RosterNames[2] = QStringLiteral("森大輝");
    s->roster.RosterNames[3] = QStringLiteral("鈴木");
    std::vector<AnswerRecord> all;
    for (const std::vector<AnswerRecord>& part : {
             answers(1, 1, K::PlaceAlignment, 5, 4), answers(2, 1, K::PlaceAlignment, 6, 3),
             answers(2, 1, K::Zero, 4, 1),                                 // now and then only
             answers(2, 2, K::CarryOrBorrow, 3, 3),                        // too few to say
             answers(3, 1, K::PlaceAlignment, 4, 4),                       // 中１: another group
             answers(1, 4, K::PointPosition, 4, 4),                        // a practice level
             answers(1, 1, K::PlaceAlignment, 10, 0, kToday.addDays(-60)), // before the month
         })
        all.insert(all.end(), part.begin(), part.end());

    constexpr int kMonth = 3;
    const std::vector<ClassSystematicRow> rows =
        classSystematicView(s->program, s->roster, all, QStringLiteral("小３"), kNow, kMonth);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].levelText, QStringLiteral("1 足し算１"));
    EXPECT_EQ(rows[0].kinds, QStringList{QStringLiteral("位取り：佐藤蓮 4/5、森大輝 3/6")});
    // Over everything the older answers count: 4 of 15 is no longer systematic.
    const std::vector<ClassSystematicRow> untilNow = classSystematicView(
        s->program, s->roster, all, QStringLiteral("小３"), kNow, kUntilNowMistakes);
    ASSERT_EQ(untilNow.size(), 1u);
    EXPECT_EQ(untilNow[0].kinds, QStringList{QStringLiteral("位取り：森大輝 3/6")});

    EXPECT_EQ(pupilDiagnosisLines(all, 1, kNow, kMonth),
              (QStringList{QStringLiteral("定着：小数点の位置 4/4、位取り 4/5")}));
    EXPECT_EQ(pupilDiagnosisLines(all, 2, kNow, kMonth),
              (QStringList{QStringLiteral("定着：位取り 3/6"),
                           QStringLiteral("たまに：繰り上がり・繰り下がり 3/3、ゼロ 1/4")}));
    // 3 of 3 is too few to call systematic: shown, but now and then.
    EXPECT_EQ(pupilDiagnosisLines(answers(2, 2, K::CarryOrBorrow, 3, 3), 2, kNow, kMonth),
              QStringList{QStringLiteral("たまに：繰り上がり・繰り下がり 3/3")});
    EXPECT_TRUE(pupilDiagnosisLines(all, 9, kNow, kMonth).isEmpty());
}

TEST(WindowedMistakes, ReadBackToTheWindowAndAgainOnlyForALongerOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("誤答記録.csv"));
    QByteArray bytes =
        QByteArrayLiteral("\xEF\xBB\xBF") + (mistakesHeading() + QStringLiteral("\r\n")).toUtf8();
    const int days = 3 * 365;
    for (int d = days - 1; d >= 0; --d)
        for (int i = 0; i < 20; ++i)
            bytes += mistakeLine(made(1 + i % 3, 1, K::Typo, kToday.addDays(-d), "1."));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    testing::RecordingWaiter waiter;
    WindowedMistakes held;
    ASSERT_TRUE(held.cover(path, waiter, mistakeWindowFirstDate(3, kToday)));
    EXPECT_EQ(held.records().size(), 30u * 20);
    const qint64 month = held.bytesRead();
    EXPECT_LT(month, bytes.size() / 10) << "a month of three years";

    ASSERT_TRUE(held.cover(path, waiter, mistakeWindowFirstDate(1, kToday))); // this week
    EXPECT_EQ(held.bytesRead(), month) << "held already";
    EXPECT_EQ(held.records().size(), 30u * 20);

    ASSERT_TRUE(held.cover(path, waiter, mistakeWindowFirstDate(4, kToday))); // a year
    EXPECT_EQ(held.records().size(), 365u * 20);
    ASSERT_TRUE(held.cover(path, waiter, mistakeWindowFirstDate(5, kToday))); // until now
    EXPECT_EQ(held.records().size(), size_t(days) * 20);

    // A file not made yet holds no mistakes.
    held.clear();
    ASSERT_TRUE(held.cover(dir.filePath(QStringLiteral("ない.csv")), waiter, QDate()));
    EXPECT_TRUE(held.records().empty());
}

} // namespace
} // namespace zanfolio
