#include "teacher/recordlist.h"

#include "frame/localetexts.h"

namespace zanfolio {

namespace {

QString padded(const QString& text, int width) {
    return text.rightJustified(width, u' ');
}
QString padded(qint64 number, int width) {
    return padded(QString::number(number), width);
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
    return !code.isEmpty() && record.schoolCode == Text5(ResultsRecord::textField(code));
}

QString recordListLine(int number, const ResultsRecord& r, const RecordListContext& c) {
    const QString name = (c.nameOf(r.pupil) + QString(6, u'　')).left(6);
    return padded(number, 4) + u' ' + shortDateText(r.date) + u'　' +
           padded(shortTimeText(r.timeOfDay), 9) + QStringLiteral("ﾚﾍﾞﾙ") +
           QString::number(r.level) + u'　' + padded(r.time, 5) + QStringLiteral("秒 ") + u'　' +
           padded(r.pupil, 4) + u' ' + name + u' ' + c.gradeLabelOf(r.pupil) +
           QStringLiteral("++") + (c.isOwnSchool(r) ? c.schoolName : QStringLiteral("他塾"));
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
