#include "results/answerrecord.h"

#include "frame/csvtext.h"

namespace zanfolio {

namespace {

constexpr int kCells = 15;
const QString kDateFormat = QStringLiteral("yyyy/MM/dd");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");
const QString kPractice = QStringLiteral("練習");
const QString kRight = QStringLiteral("正");
const QString kWrong = QStringLiteral("誤");
const QChar kKindSeparator = u'／';

QString kindsText(const std::vector<MistakeKind>& kinds) {
    QStringList labels;
    for (MistakeKind kind : kinds)
        labels << mistakeKindLabel(kind);
    return labels.join(kKindSeparator);
}

std::optional<std::vector<MistakeKind>> kindsFrom(const QString& cell) {
    std::vector<MistakeKind> kinds;
    if (cell.isEmpty())
        return kinds;
    for (const QString& label : cell.split(kKindSeparator)) {
        const std::optional<MistakeKind> kind = mistakeKindFromLabel(label);
        if (!kind)
            return std::nullopt;
        kinds.push_back(*kind);
    }
    return kinds;
}

std::optional<int> wholeNumber(const QString& cell) {
    bool ok = false;
    const int v = cell.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

AnsweredProblem AnswerRecord::asAnswered() const {
    AnsweredProblem a;
    a.pupil = pupil;
    a.level = level;
    a.blank = kind == MistakeKind::NoInput;
    a.opportunities = opportunities;
    if (!correct)
        a.shown = shown;
    return a;
}

QString answersHeading() {
    return QStringLiteral(
        "日付,時刻,生徒番号,レベル,練習,第1数,符号,第2数,正答,入力,正誤,秒,分類,機会,該当");
}

QStringList answerCells(const AnswerRecord& r) {
    return {r.date.toString(kDateFormat),
            r.time.toString(kTimeFormat),
            QString::number(r.pupil),
            QString::number(r.level),
            r.practice ? kPractice : QString(),
            csvTextField(r.first),
            csvTextField(r.sign),
            csvTextField(r.second),
            csvTextField(r.answer),
            csvTextField(r.typed),
            r.correct ? kRight : kWrong,
            QString::number(r.tenthsOfSeconds / 10) + u'.' +
                QString::number(r.tenthsOfSeconds % 10),
            r.kind ? mistakeKindLabel(*r.kind) : QString(),
            kindsText(r.opportunities),
            kindsText(r.shown)};
}

QByteArray answerLine(const AnswerRecord& r) {
    return (answerCells(r).join(u',') + QStringLiteral("\r\n")).toUtf8();
}

std::optional<AnswerRecord> answerFromCells(const QStringList& cells) {
    if (cells.size() != kCells)
        return std::nullopt;
    AnswerRecord r;
    r.date = QDate::fromString(cells[0], kDateFormat);
    r.time = QTime::fromString(cells[1], kTimeFormat);
    const std::optional<int> pupil = wholeNumber(cells[2]);
    const std::optional<int> level = wholeNumber(cells[3]);
    bool secondsRead = false;
    const double seconds = cells[11].toDouble(&secondsRead);
    const std::optional<std::vector<MistakeKind>> opportunities = kindsFrom(cells[13]);
    const std::optional<std::vector<MistakeKind>> shown = kindsFrom(cells[14]);
    if (!r.date.isValid() || !r.time.isValid() || !pupil || !level || !secondsRead || seconds < 0 ||
        !opportunities || !shown || (cells[10] != kRight && cells[10] != kWrong) ||
        (!cells[4].isEmpty() && cells[4] != kPractice))
        return std::nullopt;
    r.pupil = *pupil;
    r.level = *level;
    r.practice = cells[4] == kPractice;
    r.first = csvTextValue(cells[5]);
    r.sign = csvTextValue(cells[6]);
    r.second = csvTextValue(cells[7]);
    r.answer = csvTextValue(cells[8]);
    r.typed = csvTextValue(cells[9]);
    r.correct = cells[10] == kRight;
    r.tenthsOfSeconds = int(seconds * 10 + 0.5);
    if (!cells[12].isEmpty()) {
        r.kind = mistakeKindFromLabel(cells[12]);
        if (!r.kind)
            return std::nullopt;
    }
    r.opportunities = *opportunities;
    r.shown = *shown;
    return r;
}

} // namespace zanfolio
