#include "results/resultsrecord.h"

#include "frame/cp932.h"

#include <QtEndian>
#include <cstring>

namespace zanfolio {

namespace {

template <class T> void put(char* out, int offset, T value) {
    qToLittleEndian(value, out + offset);
}
template <class T> T get(const char* in, int offset) {
    return qFromLittleEndian<T>(in + offset);
}

void putText(char* out, int offset, const Text5& text) {
    std::memcpy(out + offset, text.data(), ResultsRecord::kTextSize);
}

} // namespace

QByteArray ResultsRecord::encode() const {
    QByteArray out(kSize, '\0');
    char* p = out.data();
    put<double>(p, kDateOffset, date);
    put<double>(p, kTimeOfDayOffset, timeOfDay);
    put<int16_t>(p, kPupilOffset, pupil);
    put<int16_t>(p, kLevelOffset, level);
    put<int32_t>(p, kTimeOffset, time);
    putText(p, kSchoolCodeOffset, schoolCode);
    putText(p, kSecondTextOffset, secondText);
    putText(p, kPointsTextOffset, pointsText);
    putText(p, kSpareOffset, spare);
    return out;
}

ResultsRecord ResultsRecord::decode(const char* p) {
    ResultsRecord r;
    r.date = get<double>(p, kDateOffset);
    r.timeOfDay = get<double>(p, kTimeOfDayOffset);
    r.pupil = get<int16_t>(p, kPupilOffset);
    r.level = get<int16_t>(p, kLevelOffset);
    r.time = get<int32_t>(p, kTimeOffset);
    r.schoolCode = Text5::raw(p + kSchoolCodeOffset);
    r.secondText = Text5::raw(p + kSecondTextOffset);
    r.pointsText = Text5::raw(p + kPointsTextOffset);
    r.spare = Text5::raw(p + kSpareOffset);
    return r;
}

QByteArray ResultsRecord::textField(const QString& text) {
    QByteArray bytes = encodeCp932(text).left(kTextSize);
    while (bytes.size() < kTextSize)
        bytes += ' ';
    return bytes;
}

QString ResultsRecord::schoolCodeText() const {
    QString t = decodeCp932(schoolCode.toByteArray());
    while (t.endsWith(u' ') || t.endsWith(QChar(0)))
        t.chop(1);
    return t;
}

} // namespace zanfolio
