#include "teacher/recordexport.h"

#include "frame/localetexts.h"
#include "frame/points.h"

namespace zanfolio {

namespace {

// From 90000 on the lists count a run as failed: it has no time to show.
constexpr int kFirstFailedTime = 90000;

int runPoints(const ResultsRecord& r, const CriteriaTable& criteria) {
    if (!isValidLevel(r.level))
        return 0;
    const size_t l = size_t(r.level);
    return multipliedPoints(basePoints(criteria.StandardTime[l], r.time),
                            criteria.PointMultiplier[l]);
}

} // namespace

QByteArray recordsCsv(const ResultsTail& tail, const RecordListContext& c,
                      const LevelTable<QString>& levelNames, const CriteriaTable& criteria) {
    QString out = QStringLiteral("\uFEFFレコード番号,日付,時刻,生徒番号,名前,学年,レベル,レベル名,"
                                 "秒,結果,ポイント,塾,塾コード\r\n");
    for (size_t i = 0; i < tail.records.size(); ++i) {
        const ResultsRecord& r = tail.records[i];
        if (r.level == 0)
            continue;
        const bool timedOut = r.time >= kFirstFailedTime;
        const QString levelName = isValidLevel(r.level) ? levelNames[size_t(r.level)] : QString();
        const QStringList fields{
            QString::number(tail.firstRecordNumber + int(i)),
            shortDateText(r.date),
            shortTimeText(r.timeOfDay),
            QString::number(r.pupil),
            csvTextField(c.nameOf(r.pupil)),
            csvTextField(c.gradeLabelOf(r.pupil)),
            QString::number(r.level),
            csvTextField(levelName),
            timedOut ? QString() : QString::number(r.time),
            timedOut ? QStringLiteral("時間切れ") : QStringLiteral("完了"),
            QString::number(runPoints(r, criteria)),
            csvTextField(c.isOwnSchool(r) ? c.schoolName : QStringLiteral("他塾")),
            csvTextField(r.schoolCodeText())};
        out += fields.join(u',') + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace zanfolio
