#include "roster/grades.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

TEST(SchoolYear, TurnsInTheStartMonthNotBefore) {
    struct Case {
        QDate today;
        int startMonth;
        int schoolYear;
        const char* labelOf1996; // a pupil born in school year 1996
    };
    const Case cases[] = {
        {QDate(2004, 3, 15), 4, 2003, "小１"}, {QDate(2004, 3, 31), 4, 2003, "小１"},
        {QDate(2004, 4, 1), 4, 2004, "小２"},  {QDate(2004, 12, 31), 4, 2004, "小２"},
        {QDate(2004, 1, 1), 1, 2004, "小２"},  {QDate(2004, 8, 31), 9, 2003, "小１"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString());
        const int year = schoolYearOf(c.today, c.startMonth);
        EXPECT_EQ(year, c.schoolYear);
        EXPECT_EQ(gradeLabel(gradeNumber(year, 1996)), QString::fromUtf8(c.labelOf1996));
    }
}

TEST(GradeTexts, CodesAndLabelsAtEveryBoundary) {
    struct Case {
        int g;
        const char* code;
        const char* label; // "" when the pupil gets none
    };
    const Case cases[] = {
        {-5, "幼-", ""},    {-3, "幼-", ""},     {-2, "幼1", ""},    {-1, "幼2", ""},
        {0, "幼3", "幼３"}, {1, "小1", "小１"},  {6, "小6", "小６"}, {7, "中1", "中１"},
        {9, "中3", "中３"}, {10, "高1", "高１"}, {11, "高2", ""},    {12, "高3", ""},
        {13, "大+", ""},    {40, "大+", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.g);
        EXPECT_EQ(listGradeCode(c.g), QString::fromUtf8(c.code));
        EXPECT_EQ(gradeLabel(c.g), QString::fromUtf8(c.label));
        EXPECT_EQ(hasGradeLabel(c.g), *c.label != 0);
    }
    EXPECT_TRUE(isKindergarten(0));
    EXPECT_FALSE(isKindergarten(1));
}

TEST(NameListGroup, EachTextAdmitsExactlyItsGrades) {
    struct Case {
        const char* group;
        int firstG; // inclusive range of G that passes; empty when firstG > lastG
        int lastG;
    };
    const Case cases[] = {
        {"全学年", -20, 40},
        {"小学生全体", 1, 6},
        {"中学生全体", 7, 9},
        {"小１", 1, 1},
        {"小３", 3, 3},
        {"小６", 6, 6},
        {"中１", 7, 7},
        {"中３", 9, 9},
        // Texts outside the twelve show nobody, however close they come.
        {"小1", 1, 0},
        {"高１", 1, 0},
        {"家族", 1, 0},
        {"", 1, 0},
        {"全学年 ", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        for (int g = -4; g <= 14; ++g) {
            const bool expected = g >= c.firstG && g <= c.lastG;
            EXPECT_EQ(passesNameListGroup(QString::fromUtf8(c.group), g), expected) << "G " << g;
        }
    }
}

TEST(NameListGroup, TheBoxHoldsTheTwelveTextsInOrder) {
    const QStringList expected = QString::fromUtf8("全学年,中学生全体,小学生全体,中３,中２,中１,"
                                                   "小６,小５,小４,小３,小２,小１")
                                     .split(u',');
    EXPECT_EQ(nameListGradeGroups(), expected);
}

} // namespace
} // namespace zanfolio
