// Code page 932 beyond the characters the files hold every day: the same bytes and characters
// on every platform (ICU's windows-31j on Linux, Win32 on Windows), first case by case, then
// over every character of the basic plane and every one- and two-byte sequence, against
// fingerprints of ICU's tables.

#include "frame/cp932.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

using namespace zanfolio;

namespace {

struct EncodeCase {
    const char* name;
    QString text;
    QByteArray bytes;
};

class Cp932Encode : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(Cp932Encode, WritesTheBytesOfIcu) {
    EXPECT_EQ(encodeCp932(GetParam().text).toHex(' '), GetParam().bytes.toHex(' '));
}

QString units(std::initializer_list<char16_t> u) {
    return QString(reinterpret_cast<const QChar*>(std::data(u)), qsizetype(u.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp932Encode,
    ::testing::Values(
        EncodeCase{"ZeroWidthSpaceIsLeftOut", units({u'a', 0x200B, u'b'}), "ab"},
        EncodeCase{"ByteOrderMarkIsLeftOut", units({0xFEFF, u'a'}), "a"},
        EncodeCase{"SoftHyphenIsLeftOut", units({u'a', 0x00AD, u'b'}), "ab"},
        EncodeCase{"VariationSelectorIsLeftOut", units({0x845B, 0xFE00}),
                   QByteArray::fromHex("8a8b")},
        EncodeCase{"IdeographicVariationSelectorIsLeftOut", units({0x845B, 0xDB40, 0xDD00}),
                   QByteArray::fromHex("8a8b")},
        EncodeCase{"NoLookAlikeForAnAccent", units({u'e', 0x00E9}), "e?"},
        EncodeCase{"NoLookAlikeForTheYenSign", units({0x00A5}), "?"},
        EncodeCase{"C1ControlHasNoByte", units({0x0080}), "?"},
        EncodeCase{"PrivateUseOfOtherSystemsHasNoByte", units({0xF8F0, 0xF8F3}), "??"},
        EncodeCase{"UserDefinedAreaIsKept", units({0xE000}), QByteArray::fromHex("f040")},
        EncodeCase{"SwappedControlCharacters", units({0x001A, 0x001C, 0x007F}),
                   QByteArray::fromHex("7f1a1c")},
        EncodeCase{"CharacterBeyondTheBasicPlane", units({0xD840, 0xDC0B, u'x'}), "?x"},
        EncodeCase{"LoneHighSurrogate", units({u'a', 0xD800, u'b'}), "a?b"},
        EncodeCase{"LoneLowSurrogateAtTheEnd", units({u'a', 0xDC00}), "a?"},
        EncodeCase{"NecAndIbmDuplicatesTakeTheNecForm", units({0x2235, 0x2252}),
                   QByteArray::fromHex("81e681e0")}),
    [](const auto& info) { return std::string(info.param.name); });

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    QString text;
};

class Cp932Decode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Cp932Decode, ReadsTheCharactersOfIcu) {
    const QString text = decodeCp932(GetParam().bytes);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2).toHex(' '),
              QByteArray(reinterpret_cast<const char*>(GetParam().text.utf16()),
                         GetParam().text.size() * 2)
                  .toHex(' '));
}

// A byte that starts nothing reads as SUB (U+001A), a pair without a character as U+FFFD.
constexpr char16_t kSub = 0x001A;
constexpr char16_t kBad = 0xFFFD;

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp932Decode,
    ::testing::Values(
        DecodeCase{"StrayBytes", QByteArray::fromHex("80a0fdfeff"),
                   units({kSub, kSub, kSub, kSub, kSub})},
        DecodeCase{"LeadByteAtTheEnd", QByteArray::fromHex("4181"), units({u'A', kSub})},
        DecodeCase{"LeadByteBeforeASpaceKeepsTheSpace", QByteArray::fromHex("812041"),
                   units({kSub, u' ', u'A'})},
        DecodeCase{"LeadByteBeforeALeadByte", QByteArray::fromHex("81fd8140"),
                   units({kSub, kSub, 0x3000})},
        DecodeCase{"PairWithoutACharacterIsOneReplacement", QByteArray::fromHex("854041"),
                   units({kBad, u'A'})},
        DecodeCase{"BrokenPairAmongGoodText", QByteArray::fromHex("835c8540955c"),
                   units({0x30BD, kBad, 0x8868})},
        DecodeCase{"UserDefinedArea", QByteArray::fromHex("f040f9fc"), units({0xE000, 0xE757})},
        DecodeCase{"SwappedControlBytes", QByteArray::fromHex("1a1c7f"),
                   units({0x001C, 0x007F, 0x001A})},
        DecodeCase{"HalfWidthKatakana", QByteArray::fromHex("a1df"), units({0xFF61, 0xFF9F})}),
    [](const auto& info) { return std::string(info.param.name); });

// Every character of the basic plane but the surrogates, one by one.
QByteArray encodingFingerprint() {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const QByteArray bytes = encodeCp932(QString(QChar(char16_t(c))));
        hash.addData(QByteArray(1, char(bytes.size())) + bytes);
    }
    return hash.result().toHex();
}

// Every single byte, and every pair of a byte from 81 up with any second byte.
QByteArray decodingFingerprint() {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const auto add = [&](const QByteArray& bytes) {
        const QString text = decodeCp932(bytes);
        hash.addData(QByteArray(1, char(text.size())) +
                     QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    };
    for (int b = 0; b < 0x100; ++b)
        add(QByteArray(1, char(b)));
    for (int lead = 0x81; lead < 0x100; ++lead)
        for (int trail = 0; trail < 0x100; ++trail)
            add(QByteArray{char(lead), char(trail)});
    return hash.result().toHex();
}

TEST(Cp932Tables, EveryCharacterIsWrittenAsIcuWritesIt) {
    EXPECT_EQ(encodingFingerprint().toStdString(),
              "099773ada86406725b5e08ba0303d9d7b770a69b59168dc71c9061af91d0b075");
}

TEST(Cp932Tables, EveryOneAndTwoByteSequenceIsReadAsIcuReadsIt) {
    EXPECT_EQ(decodingFingerprint().toStdString(),
              "c2044319dc6bf0f0acc0dbd27e58c2ecf436bb2125973666b98e35719ed8200c");
}

} // namespace
