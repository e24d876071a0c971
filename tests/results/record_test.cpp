#include "frame/daycount.h"
#include "results/resultsrecord.h"
#include "support/testrecords.h"

#include <gtest/gtest.h>

using namespace zanfolio;
using zanfolio::testing::testRecord;

TEST(ResultsRecord, EncodesTheWorkedExampleByteForByte) {
    const ResultsRecord r = testRecord(12, 3, 45)
                                .date(dayCount(QDate(2004, 5, 6)))
                                .timeOfDay(dayFraction(QTime(10, 30)))
                                .schoolCode(QStringLiteral("00123"));
    const QByteArray expected = QByteArray::fromHex("00000000209ce240"
                                                    "000000000000dc3f"
                                                    "0c00"
                                                    "0300"
                                                    "2d000000"
                                                    "3030313233"
                                                    "2020202020"
                                                    "3020202020"
                                                    "0000000000");
    EXPECT_EQ(r.encode().toHex(' '), expected.toHex(' '));
    EXPECT_EQ(r.encode().size(), 44);
}

TEST(ResultsRecord, DecodeGivesBackEveryByte) {
    QByteArray bytes(44, '\0');
    for (int i = 0; i < 44; ++i)
        bytes[i] = char(i * 7 + 1);
    EXPECT_EQ(ResultsRecord::decode(bytes.constData()).encode(), bytes);
}

TEST(ResultsRecord, TextFieldsArePaddedOrCutToFiveBytes) {
    EXPECT_EQ(ResultsRecord::textField(QString()), QByteArray("     "));
    EXPECT_EQ(ResultsRecord::textField(QStringLiteral("1234567")), QByteArray("12345"));
    EXPECT_EQ(ResultsRecord::textField(QStringLiteral("表")), QByteArray("\x95\x5c   "));
}
