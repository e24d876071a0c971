#include "frame/cp932.h"

#include <gtest/gtest.h>

using namespace zanfolio;

namespace {

struct Case {
    const char* text; // UTF-8
    QByteArray bytes; // code page 932
};

class Cp932RoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(Cp932RoundTrip, EncodesToTheWindowsBytesAndBack) {
    const Case& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(encodeCp932(text).toHex(' '), c.bytes.toHex(' '));
    EXPECT_EQ(decodeCp932(c.bytes), text);
}

// JIS Shift_JIS converters get these wrong: NEC specials, the full-width minus and tilde of
// Windows, and trail bytes equal to "\".
INSTANTIATE_TEST_SUITE_P(WindowsCharacters, Cp932RoundTrip,
                         ::testing::Values(Case{"①", QByteArray::fromHex("8740")},
                                           Case{"Ⅰ", QByteArray::fromHex("8754")},
                                           Case{"－", QByteArray::fromHex("817c")},
                                           Case{"～", QByteArray::fromHex("8160")},
                                           Case{"ソ", QByteArray::fromHex("835c")},
                                           Case{"表", QByteArray::fromHex("955c")},
                                           Case{"ｽﾀｰﾄ", QByteArray::fromHex("bdc0b0c4")},
                                           Case{"a\\b,\"c\"", QByteArray("a\\b,\"c\"")}));

TEST(Cp932, WaveDashAndMinusOfOtherSystemsAreWrittenAsTheWindowsForms) {
    EXPECT_EQ(encodeCp932(QString(QChar(0x301C))), QByteArray::fromHex("8160"));
    EXPECT_EQ(encodeCp932(QString(QChar(0x2212))), QByteArray::fromHex("817c"));
}

TEST(Cp932, CharacterWithoutACodeBecomesAQuestionMark) {
    EXPECT_EQ(encodeCp932(QStringLiteral("a😀b")), QByteArray("a?b"));
}

} // namespace
