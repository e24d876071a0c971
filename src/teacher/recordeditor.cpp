#include "teacher/recordeditor.h"

#include "frame/localetexts.h"
#include "frame/untyped.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zanfolio {

namespace {

// CInt and CLng: to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double x) {
    const double f = std::floor(x);
    const double d = x - f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0))
        return f + 1;
    return f;
}

template <class Field> Result<int> wholeNumber(const QString& text, const QString& tooLarge) {
    const double n = roundHalfEven(leadingNumber(text));
    if (n < double(std::numeric_limits<Field>::min()) ||
        n > double(std::numeric_limits<Field>::max()))
        return makeError(QString(), tooLarge);
    return int(n);
}

} // namespace

RecordEditorValues recordEditorValues(int number, const ResultsRecord& r,
                                      const RecordListContext& c) {
    RecordEditorValues v;
    v.Label1 = QString::number(number);
    v.levelText = QStringLiteral("ﾚﾍﾞﾙ") + QString::number(r.level);
    v.dateText = shortDateText(r.date);
    v.gradeText = c.gradeLabelOf(r.pupil).trimmed();
    v.Text1 = QString::number(r.time);
    v.VScroll1 = std::clamp(int(r.time), 0, kTimeScrollMaximum);
    v.Combo1 = chooserItem(r.pupil, c.nameOf(r.pupil));
    return v;
}

Result<int> parseTimeBox(const QString& text) {
    return wholeNumber<int32_t>(text, QStringLiteral("タイムの数が大きすぎます。"));
}

Result<int> parseChosenPupil(const QString& text) {
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0)
        return makeError(QString(), QStringLiteral("生徒を選んでください。"));
    return wholeNumber<int16_t>(text.left(slash), QStringLiteral("生徒の番号が大きすぎます。"));
}

Result<ResultsRecord> changedRecord(const ResultsRecord& asRead, const QString& timeBox,
                                    const QString& chooser) {
    Result<int> time = parseTimeBox(timeBox);
    if (!time)
        return time.error();
    Result<int> pupil = parseChosenPupil(chooser);
    if (!pupil)
        return pupil.error();
    ResultsRecord r = asRead;
    r.time = int32_t(*time);
    r.pupil = int16_t(*pupil);
    return r;
}

} // namespace zanfolio
