#include "teacher/recordexport.h"

#include "frame/localetexts.h"

namespace zanfolio {

namespace {

QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QByteArray recordsCsv(const ResultsTail& tail, const RecordListContext& c) {
    QString out = QStringLiteral("\uFEFFrecord,date,time,pupil,name,level,seconds,school\r\n");
    for (size_t i = 0; i < tail.records.size(); ++i) {
        const ResultsRecord& r = tail.records[i];
        if (r.level == 0)
            continue;
        const QStringList fields{QString::number(tail.firstRecordNumber + int(i)),
                                 shortDateText(r.date),
                                 shortTimeText(r.timeOfDay),
                                 QString::number(r.pupil),
                                 csvField(c.nameOf(r.pupil)),
                                 QString::number(r.level),
                                 QString::number(r.time),
                                 csvField(r.schoolCodeText())};
        out += fields.join(u',') + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace zanfolio
