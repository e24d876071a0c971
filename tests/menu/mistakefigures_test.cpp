#include "app/sharedstate.h"
#include "menu/mistakefigures.h"
#include "support/testmistakes.h"

#include <gtest/gtest.h>
#include <memory>

namespace zanfolio {
namespace {

using testing::testMistake;
using K = MistakeKind;

// Thursday 10 December 2026, half past ten.
const QDateTime kNow(QDate(2026, 12, 10), QTime(10, 30));

MistakeRecord made(int pupil, int level, K kind, QDate date, QTime time, const char* typed,
                   const char* first = "0.07", const char* sign = "＋", const char* second = "3") {
    MistakeRecord r = testMistake(pupil, level, QString::fromUtf8(typed), kind, date, time);
    r.first = QString::fromUtf8(first);
    r.sign = QString::fromUtf8(sign);
    r.second = QString::fromUtf8(second);
    return r;
}

TEST(MistakeFigures, TheWindowHoldsTodayAndTheDaysBefore) {
    struct Case {
        QDate date;
        QTime time;
        int days;
        bool inside;
    };
    for (const Case& c : {
             Case{QDate(2026, 12, 10), QTime(23, 59, 59), 1, true}, // later today still counts
             Case{QDate(2026, 12, 9), QTime(23, 59, 59), 1, false},
             Case{QDate(2026, 12, 4), QTime(0, 0), 7, true},
             Case{QDate(2026, 12, 3), QTime(23, 0), 7, false},
             Case{QDate(2026, 11, 11), QTime(9, 0), 30, true},
             Case{QDate(2026, 11, 10), QTime(9, 0), 30, false},
             Case{QDate(2006, 12, 10), QTime(9, 0), 0, true}, // no days: every date ("今まで")
         }) {
        const MistakeRecord r = made(1, 1, K::Typo, c.date, c.time, "1.");
        EXPECT_EQ(inMistakeWindow(r, kNow, c.days), c.inside)
            << c.date.toString(Qt::ISODate).toStdString() << ", " << c.days << " days";
    }
}

TEST(MistakeFigures, ExamplesShowTheProblemAndTheTextAsTyped) {
    EXPECT_EQ(mistakeExample(made(1, 1, K::PlaceAlignment, {2026, 12, 10}, {}, "0.1")),
              QStringLiteral("0.07 ＋ 3 → 0.1"));
    EXPECT_EQ(mistakeExample(made(1, 2, K::NoInput, {2026, 12, 10}, {}, "", "5.3", "－", "5")),
              QStringLiteral("5.3 － 5 → （空欄）"));
    EXPECT_EQ(mistakeExample(made(1, 2, K::Other, {2026, 12, 10}, {}, "+3", "5.3", "－", "5")),
              QStringLiteral("5.3 － 5 → +3"));
}

TEST(MistakeFigures, APupilsKindsWithTheirCountsAndLatestExamples) {
    const QDate today(2026, 12, 10);
    const QDate yesterday(2026, 12, 9);
    const std::vector<MistakeRecord> records{
        made(12, 1, K::PointPosition, yesterday, QTime(9, 0), "30.7"),
        made(12, 3, K::PointPosition, today, QTime(9, 0), "2.76", "0.6", "＋", "27"),
        made(12, 1, K::PointPosition, yesterday, QTime(10, 0), "0.307"),
        made(13, 1, K::PointPosition, today, QTime(10, 0), "307"),          // another pupil
        made(12, 1, K::PointPosition, {2026, 11, 1}, QTime(10, 0), "3070"), // before the window
        made(12, 2, K::Typo, today, QTime(9, 30), "0.4", "5.3", "－", "5"),
        made(12, 2, K::Typo, today, QTime(9, 30), "0.2", "5.3", "－", "5"), // written later
        made(12, 1, K::PlaceAlignment, yesterday, QTime(11, 0), "0.1"),
    };
    const std::vector<KindFigure> figures = pupilMistakeFigures(records, 12, kNow, 7);
    ASSERT_EQ(figures.size(), kMistakeKinds.size());
    struct Expected {
        K kind;
        int count;
        QStringList examples;
    };
    const Expected expected[] = {
        {K::PlaceAlignment, 1, {QStringLiteral("0.07 ＋ 3 → 0.1")}},
        {K::PointPosition,
         3,
         {QStringLiteral("0.6 ＋ 27 → 2.76"), QStringLiteral("0.07 ＋ 3 → 0.307")}},
        {K::Zero, 0, {}},
        {K::ReversedOperation, 0, {}},
        {K::CarryOrBorrow, 0, {}},
        {K::Typo, 2, {QStringLiteral("5.3 － 5 → 0.2"), QStringLiteral("5.3 － 5 → 0.4")}},
        {K::NoInput, 0, {}},
        {K::Other, 0, {}},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(figures[i].kind, expected[i].kind) << i;
        EXPECT_EQ(figures[i].count, expected[i].count)
            << mistakeKindLabel(expected[i].kind).toStdString();
        EXPECT_EQ(figures[i].examples, expected[i].examples)
            << mistakeKindLabel(expected[i].kind).toStdString();
    }
}

std::vector<MistakeRecord> counted(std::initializer_list<std::pair<K, int>> counts) {
    std::vector<MistakeRecord> out;
    for (const auto& [kind, n] : counts)
        for (int i = 0; i < n; ++i)
            out.push_back(made(1, 1, kind, {2026, 12, 10}, QTime(9, 0), "1."));
    return out;
}

TEST(MistakeFigures, TheChartSheetLineListsKindsMostFirstTiesInTheKindsOrder) {
    struct Case {
        const char* name;
        std::vector<MistakeRecord> records;
        QString line;
    };
    const Case cases[] = {
        {"no mistakes", {}, QStringLiteral("間違いの傾向：なし")},
        {"most first", counted({{K::PlaceAlignment, 2}, {K::PointPosition, 4}}),
         QStringLiteral("間違いの傾向：小数点の位置 4回、位取り 2回")},
        {"ties in the kinds' order",
         counted({{K::Other, 2}, {K::Typo, 2}, {K::Zero, 2}, {K::CarryOrBorrow, 3}}),
         QStringLiteral(
             "間違いの傾向：繰り上がり・繰り下がり 3回、ゼロ 2回、打ち間違い 2回、その他 2回")},
        {"one kind", counted({{K::NoInput, 1}}), QStringLiteral("間違いの傾向：未入力 1回")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            mistakeTrendLine(rankedKinds(c.records, [](const MistakeRecord&) { return true; })),
            c.line)
            << c.name;
}

TEST(MistakeFigures, APupilsLinePerLevelWithinTheWindow) {
    const QDate today(2026, 12, 10);
    const std::vector<MistakeRecord> records{
        made(12, 1, K::PointPosition, today, QTime(9, 0), "30.7"),
        made(12, 1, K::PlaceAlignment, today, QTime(9, 1), "0.1"),
        made(12, 1, K::PointPosition, today, QTime(9, 2), "0.307"),
        made(12, 1, K::Zero, {2026, 10, 1}, QTime(9, 2), "3.7"), // before the window
        made(13, 1, K::Zero, today, QTime(9, 3), "3.7"),         // another pupil
        made(12, 2, K::Typo, today, QTime(9, 4), "0.4"),
    };
    struct Case {
        int level;
        QString line;
    };
    for (const Case& c : {Case{1, QStringLiteral("間違いの傾向：小数点の位置 2回、位取り 1回")},
                          Case{2, QStringLiteral("間違いの傾向：打ち間違い 1回")},
                          Case{3, QStringLiteral("間違いの傾向：なし")}})
        EXPECT_EQ(pupilMistakeTrendLine(records, 12, c.level, kNow, 30), c.line) << c.level;
}

TEST(MistakeFigures, AGroupsCommonKindsPerLevel) {
    const QDate today(2026, 12, 10);
    const std::vector<MistakeRecord> records{
        made(1, 1, K::PointPosition, today, QTime(9, 0), "30.7"),
        made(2, 1, K::PointPosition, today, QTime(9, 0), "0.307"),
        made(2, 1, K::Zero, today, QTime(9, 0), "3.7"),
        made(3, 1, K::Zero, today, QTime(9, 0), "3.7"), // not in the group
        made(3, 1, K::Zero, today, QTime(9, 0), "3.7"), // not in the group
        made(1, 3, K::CarryOrBorrow, today, QTime(9, 0), "9.3"),
        made(1, 3, K::CarryOrBorrow, {2026, 1, 1}, QTime(9, 0), "9.3"), // before the window
        made(2, 6, K::Typo, today, QTime(9, 0), "1."), // a level the installation lacks
    };
    const std::vector<LevelKinds> figures = groupMistakeFigures(
        records, [](int pupil) { return pupil == 1 || pupil == 2; }, kNow, 30, 5);
    ASSERT_EQ(figures.size(), 5u);
    const std::vector<std::vector<KindCount>> expected{
        {{K::PointPosition, 2}, {K::Zero, 1}}, {}, {{K::CarryOrBorrow, 1}}, {}, {}};
    for (size_t i = 0; i < figures.size(); ++i) {
        EXPECT_EQ(figures[i].level, int(i) + 1);
        EXPECT_EQ(figures[i].kinds, expected[i]) << "level " << i + 1;
    }
}

TEST(MistakeFigures, GradeGroupMembersAsTheMenuListsTakeThem) {
    auto state = std::make_unique<SharedState>();
    state->roster.SchoolYear = 2026;
    state->roster.RosterBirthYears[1] = 2017; // grade 3
    state->roster.RosterBirthYears[2] = 2013; // grade 7
    state->roster.RosterBirthYears[3] = 2017;
    struct Case {
        const char* group;
        std::vector<int> members;
    };
    for (const Case& c : {Case{"小３", {1, 3}}, Case{"中学生全体", {2}}, Case{"全学年", {1, 2, 3}},
                          Case{"ふつう", {}}}) {
        const auto inGroup = gradeGroupMembers(state->roster, QString::fromUtf8(c.group));
        std::vector<int> members;
        for (int pupil = 0; pupil <= 3; ++pupil)
            if (inGroup(pupil))
                members.push_back(pupil);
        EXPECT_EQ(members, c.members) << c.group;
    }
}

} // namespace
} // namespace zanfolio
