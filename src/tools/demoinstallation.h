#pragma once
// A demonstration installation, laid out as on the classroom computers:
//
//   <root>/パスデータ.txt                 item 1: the absolute data root
//   <root>/calc/                          the program's folder (the executable goes here)
//   <root>/起動/プログラムメニューc.exe    a stand-in launcher that shows it was started
//   <root>/data/共通データ.txt            school code and name, teacher password
//   <root>/data/新名簿.txt                about thirty pupils, kindergarten to high school
//   <root>/data/音フォルダ/                generated wave files and 新音ファイル.txt
//   <root>/data/calc/タイム回数データ.txt  criteria for the five levels
//   <root>/data/calc/成績累積データ.dat    a few weeks of generated runs
//   <root>/data/calc/誤答記録.csv          the wrong answers of those runs
//   <root>/data/calc/解答記録.csv          every answer of those runs

#include "frame/result.h"
#include "results/answerrecord.h"
#include "results/mistakerecord.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <vector>

namespace zanfolio {

struct DemoSettings {
    QString root;  // folder to lay out (created)
    QDateTime now; // the history ends just before this moment, today
    QString password = QStringLiteral("1234");
    int historyDays = 21;
    unsigned seed = 20261209;
};

// Writes every file of the installation (replacing earlier demo files) except the executable.
Status writeDemoInstallation(const DemoSettings& settings);

// The wrong answers of the demo's runs: each pupil slips now and then, more often on a slow
// run, mostly in a way of their own (one pupil moves the point, another lines the digits up
// at the right, ...), on problems the run's level sets, dated within the run. Every answer is
// classified as the drill classifies it.
struct DemoRun {
    QDate date;
    QTime end;   // when the record was written
    int seconds; // the run's time (99999 for a time-out)
    int pupil;
    int level;
};
std::vector<MistakeRecord> demoMistakes(const std::vector<DemoRun>& runs, unsigned seed);

// The answers of the demo's runs: each run's wrong answers (from `mistakes`, in run order) and
// its right ones, as many as the drill wants before the run ends (ten, and one more for every
// wrong answer), spread over the run. One pupil (kSystematicDemoPupil) lines up the last digits
// (位取り) on most problems where that goes wrong: those wrong answers are added to the mistakes
// too. The others only slip now and then. Returns the answers and the mistakes, in run order.
inline constexpr int kSystematicDemoPupil = 26; // 森大輝
struct DemoAnswers {
    std::vector<AnswerRecord> answers;
    std::vector<MistakeRecord> mistakes;
};
DemoAnswers demoAnswers(const std::vector<DemoRun>& runs,
                        const std::vector<MistakeRecord>& mistakes, unsigned seed);

} // namespace zanfolio
