#include "teacher/recordlist.h"

#include "frame/localetexts.h"

#include <charconv>

namespace zanfolio {

namespace {

// The list's line is built in one string (25000 lines are made at a time).
void appendRight(QString& out, QStringView text, int width) {
    for (qsizetype i = text.size(); i < width; ++i)
        out += u' ';
    out += text;
}
void appendRight(QString& out, qint64 number, int width) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    const qsizetype n = end - digits;
    for (qsizetype i = n; i < width; ++i)
        out += u' ';
    out += QLatin1StringView(digits, n);
}

QString lookup(std::span<const QString> table, int index) {
    if (index < 0 || size_t(index) >= table.size())
        return {};
    return table[size_t(index)];
}

} // namespace

QString RecordListContext::nameOf(int pupil) const {
    return lookup(names, pupil).trimmed();
}
QString RecordListContext::gradeLabelOf(int pupil) const {
    return lookup(gradeLabels, pupil);
}

bool RecordListContext::isOwnSchool(const ResultsRecord& record) const {
    const QString code = schoolCode.toText();
    if (code.isEmpty())
        return false;
    if (!ownCodeField)
        ownCodeField = Text5(ResultsRecord::textField(code));
    return record.schoolCode == *ownCodeField;
}

QString recordListLine(int number, const ResultsRecord& r, const RecordListContext& c) {
    QString line;
    line.reserve(80);
    appendRight(line, number, 4);
    line += u' ';
    line += shortDateText(r.date);
    line += u'　';
    appendRight(line, shortTimeText(r.timeOfDay), 9);
    line += QStringLiteral("ﾚﾍﾞﾙ");
    appendRight(line, r.level, 0);
    line += u'　';
    appendRight(line, r.time, 5);
    line += QStringLiteral("秒 ");
    line += u'　';
    appendRight(line, r.pupil, 4);
    line += u' ';
    // The name in six places, cut or filled with ideographic spaces.
    const QString name = c.nameOf(r.pupil);
    line += QStringView(name).left(6);
    for (qsizetype i = name.size(); i < 6; ++i)
        line += u'　';
    line += u' ';
    line += c.gradeLabelOf(r.pupil);
    line += QStringLiteral("++");
    line += c.isOwnSchool(r) ? c.schoolName : QStringLiteral("他塾");
    return line;
}

QString recordCountText(qint64 byteLength) {
    const double count = double(byteLength) / ResultsRecord::kSize;
    return QStringLiteral("総レコード数:") + QString::number(count, 'g', 15);
}

QString chooserItem(int index, const QString& name) {
    return QString::number(index) + QStringLiteral(" /  ") + name.trimmed();
}

RecordList recordList(const ResultsTail& tail, const RecordListContext& c) {
    RecordList out;
    out.countText = recordCountText(tail.byteLength);
    for (size_t i = 0; i < tail.records.size(); ++i) {
        const ResultsRecord& r = tail.records[i];
        if (r.level == 0)
            continue;
        const int number = tail.firstRecordNumber + int(i);
        out.lines << recordListLine(number, r, c);
        out.numbers.push_back(number);
    }
    return out;
}

Result<RecordList> BuildRecordList(ResultsFile& file, const RecordListContext& c) {
    Result<ResultsTail> tail = file.readTail(0);
    if (!tail) {
        Error e = tail.error();
        e.endsProgram = false;
        return e;
    }
    return recordList(*tail, c);
}

} // namespace zanfolio
