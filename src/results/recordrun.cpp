#include "results/recordrun.h"

#include "frame/daycount.h"

namespace zanfolio {

ResultsRecord makeRunRecord(const RunToRecord& run, const QDateTime& now) {
    ResultsRecord r;
    r.date = dayCount(now.date());
    r.timeOfDay = dayFraction(now.time());
    r.pupil = int16_t(run.pupil);
    r.level = int16_t(run.level);
    r.time = run.time;
    r.schoolCode = ResultsRecord::textField(run.schoolCode.toText());
    r.secondText = ResultsRecord::textField(QString());
    r.pointsText = ResultsRecord::textField(QStringLiteral("0"));
    return r;
}

Status AppendResultsRecord(const RunToRecord& run, ResultsFile& file, const Clock& clock) {
    return file.append(makeRunRecord(run, clock.now()));
}

QString keptRunMessage(const Error& why) {
    return QStringLiteral("成績ファイルに記録できませんでした。\n%1\n\n"
                          "この記録はこのコンピュータに保管しました。"
                          "次に記録できたときに、成績ファイルへ書き込みます。")
        .arg(why.message);
}

QString recordWaitNotice(const Error& why) {
    QString what;
    switch (why.kind) {
    case ErrorKind::Sharing:
        what = QStringLiteral("他のコンピュータが成績ファイルを使用中です。");
        break;
    case ErrorKind::NotFound:
        what = QStringLiteral(
            "成績ファイルのフォルダが見つかりません（ネットワークを確かめてください）。");
        break;
    case ErrorKind::Denied:
        what = QStringLiteral("成績ファイルに書き込む許可がありません。");
        break;
    case ErrorKind::Other:
        what = QStringLiteral("成績ファイルに書き込めません。");
        break;
    }
    return what + QStringLiteral("\n記録を待っています…");
}

Result<RunRecorded> RecordRun(const RunToRecord& run, const CriteriaTable& c, PupilStatistics& s,
                              RunOutcome& outcome, ResultsFile& file, PendingRuns& pending,
                              const Clock& clock) {
    const int pupil = run.pupil;
    const int time = run.time;
    const int level = run.level;
    const size_t cl = size_t(level);
    outcome.ClearedBefore = s.TotalRunCounts(level, pupil) >= c.TargetCount[cl] &&
                                    s.TotalPoints(level, pupil) >= c.TargetPoints[cl]
                                ? 1
                                : 0;
    if (s.PersonalBestTimes(level, pupil) > time) {
        outcome.NewPersonalBest = 1;
        s.PersonalBestTimes(level, pupil) = time;
    }
    const ResultsRecord record = makeRunRecord(run, clock.now());
    // Kept on this computer first, behind the runs kept earlier, and delivered from there with
    // them: nothing is lost however the results file fails, or the power.
    if (Status kept = pending.keep(record, file.waiter()); !kept) {
        // This computer cannot keep it (its own disk): straight to the results file.
        Status appended = file.append(record);
        if (!appended) {
            Error e = appended.error();
            e.message += u'\n' + kept.error().message;
            return e;
        }
    } else if (Result<int> delivered = pending.deliver(file); !delivered) {
        return RunRecorded{true, keptRunMessage(delivered.error())};
    }
    if (s.OverallBestTimes[size_t(level)] > time) {
        s.OverallBestTimes[size_t(level)] = time;
        outcome.NewOverallBest = 1;
    }
    return RunRecorded{};
}

} // namespace zanfolio
