#pragma once
// One record of "成績累積データ.dat": 44 bytes, little-endian, no header, no padding.
//
//   offset size  field
//    0      8    date          IEEE double, day count from 1899-12-30, whole
//    8      8    time of day   IEEE double, fraction of a day
//   16      2    pupil         int16, roster index (1..5000 in valid records)
//   18      2    level         int16 (1..35 in valid records)
//   20      4    time          int32, seconds; 99999 = timed out
//   24      5    school code   code page 932 text, space-padded ("     " when none)
//   29      5    second text   five spaces; nobody reads it
//   34      5    points text   "0" and four spaces; nobody reads it
//   39      5    spare         five zero bytes
//
// Worked example (pupil 12, level 3, 45 s, 6 May 2004 10:30, school 00123):
//   00 00 00 00 20 9C E2 40  00 00 00 00 00 00 DC 3F  0C 00  03 00  2D 00 00 00
//   30 30 31 32 33  20 20 20 20 20  30 20 20 20 20  00 00 00 00 00

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <cstring>

namespace zanfolio {

// A 5-byte text field held in place (no heap allocation per record: the statistics pass decodes
// twenty thousand of them). Converts to and from QByteArray.
class Text5 {
  public:
    Text5() { bytes_.fill(' '); }
    Text5(const QByteArray& b) { assign(b.constData(), b.size()); }
    Text5(const char* b) { assign(b, qsizetype(std::strlen(b))); }
    static Text5 raw(const char* five) {
        Text5 t;
        std::memcpy(t.bytes_.data(), five, 5);
        return t;
    }
    operator QByteArray() const { return QByteArray(bytes_.data(), 5); }
    QByteArray toByteArray() const { return QByteArray(bytes_.data(), 5); }
    const char* data() const { return bytes_.data(); }
    friend bool operator==(const Text5& a, const Text5& b) { return a.bytes_ == b.bytes_; }

  private:
    // Shorter input is space-padded, longer cut, as the record's text fields are.
    void assign(const char* b, qsizetype n) {
        bytes_.fill(' ');
        std::memcpy(bytes_.data(), b, size_t(std::min<qsizetype>(n, 5)));
    }
    std::array<char, 5> bytes_;
};

struct ResultsRecord {
    static constexpr int kSize = 44;
    static constexpr int kDateOffset = 0;
    static constexpr int kTimeOfDayOffset = 8;
    static constexpr int kPupilOffset = 16;
    static constexpr int kLevelOffset = 18;
    static constexpr int kTimeOffset = 20;
    static constexpr int kSchoolCodeOffset = 24;
    static constexpr int kSecondTextOffset = 29;
    static constexpr int kPointsTextOffset = 34;
    static constexpr int kSpareOffset = 39;
    static constexpr int kTextSize = 5;

    double date = 0;
    double timeOfDay = 0;
    int16_t pupil = 0;
    int16_t level = 0;
    int32_t time = 0;
    // The four texts as their 5 bytes, so a rewrite gives back exactly what was read.
    Text5 schoolCode;
    Text5 secondText;
    Text5 pointsText = Text5("0    ");
    Text5 spare = Text5::raw("\0\0\0\0\0");

    QByteArray encode() const;
    // `bytes` must hold at least kSize bytes from `offset`.
    static ResultsRecord decode(const char* bytes);

    // A text field from a string: code page 932, cut or space-padded to 5 bytes.
    static QByteArray textField(const QString& text);
    QString schoolCodeText() const; // decoded, trailing spaces removed
};

} // namespace zanfolio
