#include "app/sharedstate.h"
#include "support/testrecords.h"
#include "teacher/recordeditor.h"

#include <gtest/gtest.h>

namespace zanfolio {
namespace {

using testing::testRecord;

TEST(RecordEditor, TimeBoxReadsTheLeadingNumberRoundedHalfToEven) {
    struct Case {
        const char* text;
        int seconds;
    };
    const Case cases[] = {{"45", 45}, {"45.5", 46}, {"44.5", 44},     {" 12秒", 12}, {"abc", 0},
                          {"", 0},    {"-3", -3},   {"99999", 99999}, {"7.49x", 7}};
    for (const Case& c : cases) {
        Result<int> t = parseTimeBox(QString::fromUtf8(c.text));
        ASSERT_TRUE(t.ok()) << c.text;
        EXPECT_EQ(*t, c.seconds) << c.text;
    }
    EXPECT_FALSE(parseTimeBox(QStringLiteral("99999999999")).ok()) << "does not fit 32 bits";
}

TEST(RecordEditor, ChooserWithoutSlashNamesNoPupilInsteadOfPupilZero) {
    struct Case {
        const char* text;
        int pupil;
    };
    const Case cases[] = {{"12 /  山田太郎", 12}, {"12/", 12},    {"12.5 / x", 12},
                          {"13.5/x", 14},         {"abc / x", 0}, {"/ x", 0}};
    for (const Case& c : cases) {
        Result<int> p = parseChosenPupil(QString::fromUtf8(c.text));
        ASSERT_TRUE(p.ok()) << c.text;
        EXPECT_EQ(*p, c.pupil) << c.text;
    }
    const Result<int> none = parseChosenPupil(QStringLiteral("山田太郎"));
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error().message, QStringLiteral("生徒を選んでください。"));
    EXPECT_FALSE(none.error().endsProgram);
    EXPECT_FALSE(parseChosenPupil(QStringLiteral("70000 / x")).ok()) << "does not fit 16 bits";
}

TEST(RecordEditor, ChangeKeepsEveryOtherFieldAsRead) {
    ResultsRecord asRead =
        testRecord(12, 3, 45).date(38113).timeOfDay(0.4375).schoolCode(QStringLiteral("00123"));
    asRead.spare = QByteArray("ab\0\0c", 5); // whatever the file held
    const Result<ResultsRecord> changed =
        changedRecord(asRead, QStringLiteral("38"), QStringLiteral("15 /  佐藤花子"));
    ASSERT_TRUE(changed.ok());
    EXPECT_EQ(changed->time, 38);
    EXPECT_EQ(changed->pupil, 15);
    QByteArray before = asRead.encode();
    QByteArray after = changed->encode();
    before.replace(ResultsRecord::kPupilOffset, 8, QByteArray(8, 'x'));
    after.replace(ResultsRecord::kPupilOffset, 8, QByteArray(8, 'x'));
    EXPECT_EQ(after, before);
    // A failed reading leaves nothing to write.
    EXPECT_FALSE(changedRecord(asRead, QStringLiteral("38"), QStringLiteral("15")).ok());
}

TEST(RecordEditor, PanelShowsTheRealTimeAndHoldsTheBarWithinItsRange) {
    std::vector<QString> names(kPupilSlots), grades(kPupilSlots);
    names[12] = QStringLiteral("山田太郎");
    grades[12] = QStringLiteral("小３ ");
    RecordListContext c;
    c.names = names;
    c.gradeLabels = grades;
    ResultsRecord r = testRecord(12, 3, 0).date(38113).timeOfDay(0);
    struct Case {
        int time;
        int bar;
    };
    for (const Case& k : {Case{45, 45}, Case{6000, 6000}, Case{7200, 6000}, Case{99999, 6000}}) {
        r.time = k.time;
        const RecordEditorValues v = recordEditorValues(9, r, c);
        EXPECT_EQ(v.Text1, QString::number(k.time));
        EXPECT_EQ(v.VScroll1, k.bar);
    }
    const RecordEditorValues v = recordEditorValues(9, r, c);
    EXPECT_EQ(v.Label1, QStringLiteral("9"));
    EXPECT_EQ(v.levelText, QStringLiteral("ﾚﾍﾞﾙ3"));
    EXPECT_EQ(v.dateText, QStringLiteral("2004/05/06"));
    EXPECT_EQ(v.gradeText, QStringLiteral("小３"));
    EXPECT_EQ(v.Combo1, QStringLiteral("12 /  山田太郎"));
    // The chooser text the panel shows reads back as the same pupil.
    EXPECT_EQ(*parseChosenPupil(v.Combo1), 12);
}

} // namespace
} // namespace zanfolio
