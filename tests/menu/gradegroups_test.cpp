#include "menu/gradegroups.h"
#include "menu/sortbykey.h"

#include <gtest/gtest.h>

using namespace zanfolio;

namespace {

struct GroupCase {
    const char* text;
    int g;
    std::optional<bool> expected;
};

TEST(InGradeGroup, EveryGroupTextAgainstItsGrades) {
    const GroupCase cases[] = {
        {"全学年", -3, true},       {"全学年", 12, true},     {"家族", 0, true},
        {"家族", 20, true},         {"小学生全体", 0, false}, {"小学生全体", 1, true},
        {"小学生全体", 6, true},    {"小学生全体", 7, false}, {"中学生全体", 6, false},
        {"中学生全体", 7, true},    {"中学生全体", 9, true},  {"中学生全体", 10, false},
        {"小１", 1, true},          {"小１", 2, false},       {"小６", 6, true},
        {"中１", 7, true},          {"中３", 9, true},        {"中３", 8, false},
        {"高１", 10, std::nullopt}, {"小1", 1, std::nullopt}, {"", 3, std::nullopt},
    };
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " G=" + std::to_string(c.g));
        EXPECT_EQ(InGradeGroup(QString::fromUtf8(c.text), c.g), c.expected);
    }
}

TEST(InGradeGroup, UnknownTextLetsNobodyPass) {
    for (int g = -2; g <= 12; ++g)
        EXPECT_FALSE(passesGradeGroup(QStringLiteral("小学生"), g));
}

TEST(GradeMark, PrimaryCircledMiddleRomanOthersBlank) {
    const std::pair<int, const char*> cases[] = {
        {-1, "　"}, {0, "　"}, {1, "①"}, {3, "③"},   {6, "⑥"},
        {7, "Ⅰ"},   {8, "Ⅱ"},  {9, "Ⅲ"}, {10, "　"},
    };
    for (const auto& [g, mark] : cases)
        EXPECT_EQ(GradeMark(g), QString::fromUtf8(mark)) << "G=" << g;
}

TEST(SortByKey, EqualKeysKeepTheirOrder) {
    std::vector<int64_t> keys{60, 50, 99999, 50, 60, 99999};
    std::vector<int> pupils{1, 2, 3, 4, 5, 6};
    SortByKey(keys, pupils);
    EXPECT_EQ(keys, (std::vector<int64_t>{50, 50, 60, 60, 99999, 99999}));
    EXPECT_EQ(pupils, (std::vector<int>{2, 4, 1, 5, 3, 6}));
}

TEST(SortByKey, MismatchedTablesAreLeftAlone) {
    std::vector<int64_t> keys{2, 1};
    std::vector<int> pupils{1};
    SortByKey(keys, pupils);
    EXPECT_EQ(keys, (std::vector<int64_t>{2, 1}));
}

} // namespace
