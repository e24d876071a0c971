#include "tools/demoinstallation.h"

#include "frame/cp932.h"
#include "frame/daycount.h"
#include "frame/platformfile.h"
#include "results/resultsrecord.h"
#include "roster/grades.h"
#include "sound/tones/demosounds.h"

#include <QDir>
#include <QFile>
#include <random>

namespace zanfolio {

namespace {

struct DemoPupil {
    int number;
    const char* name;
    int grade; // G: 0 the last kindergarten year, 1 the first primary year ...
    int status;
};

// Numbers as a school hands them out: not in order of age, with gaps.
const DemoPupil kPupils[] = {
    {1, "山田先生", 20, 0},    {3, "青木ゆい", -1, 0},   {4, "石田そら", 0, 0},
    {5, "上野けん", 0, 0},     {8, "伊藤花", 1, 0},      {9, "加藤陽太", 1, 0},
    {10, "木村凛", 2, 0},      {12, "小林大和", 2, 0},   {13, "斎藤結衣", 3, 0},
    {14, "佐藤蓮", 3, 0},      {15, "清水葵", 3, 0},     {16, "鈴木湊", 4, 0},
    {17, "高橋陽菜", 4, 0},    {18, "田中悠真", 5, 0},   {20, "中村咲良", 5, 0},
    {21, "西村樹", 6, 0},      {22, "林美咲", 6, 0},     {23, "藤田颯", 6, 0},
    {25, "松本芽依", 7, 0},    {26, "森大輝", 7, 0},     {27, "山口莉子", 8, 0},
    {28, "山本翔", 8, 0},      {30, "吉田心", 9, 0},     {31, "渡辺拓海", 9, 0},
    {33, "井上さくら", 10, 0}, {34, "岡田直樹", 11, 0},  {35, "後藤真央", 12, 0},
    {40, "休会中太郎", 5, 1},  {41, "体験中花子", 4, 2}, {42, "近藤ひかり", 2, 0},
};

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

Status writeLines(const QString& path, const QStringList& lines) {
    QDir().mkpath(QFileInfo(nativePath(path)).absolutePath());
    return writeCp932Lines(path, lines);
}

} // namespace

Status writeDemoInstallation(const DemoSettings& s) {
    const QString root = QDir(s.root).absolutePath() + u'/';
    const QString data = root + QStringLiteral("data/");
    const QString programData = data + QStringLiteral("calc/");
    QDir().mkpath(root + QStringLiteral("calc"));
    QDir().mkpath(programData);

    Status st = writeLines(root + QStringLiteral("パスデータ.txt"),
                           {quoted(data), QStringLiteral("0,0,0,0,0,0,0,0,0")});
    if (!st)
        return st;
    // Start month 4 (April), school code 00123, pupils of status 2 listed too.
    st = writeLines(data + QStringLiteral("共通データ.txt"),
                    {QStringLiteral("4"), quoted(QStringLiteral("00123さくら算数教室")),
                     QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                     quoted(s.password), QStringLiteral("0"), QStringLiteral("0"),
                     QStringLiteral("0"), QStringLiteral("0")});
    if (!st)
        return st;

    const int schoolYear = schoolYearOf(s.today, 4);
    QStringList roster;
    for (const DemoPupil& p : kPupils) {
        const int birthYear = schoolYear - 6 - p.grade;
        roster << QStringLiteral("%1,%2,0,0,%3,%4,\"\",\"\"")
                      .arg(p.number)
                      .arg(birthYear)
                      .arg(quoted(QString::fromUtf8(p.name)))
                      .arg(p.status);
    }
    st = writeLines(data + QStringLiteral("新名簿.txt"), roster);
    if (!st)
        return st;

    st = writeLines(
        programData + QStringLiteral("タイム回数データ.txt"),
        {QStringLiteral("目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"),
         QStringLiteral("40,60,30,3,1,10,,7,1,,,"), QStringLiteral("45,70,30,3,1,10,,7,1,,,"),
         QStringLiteral("60,90,40,3,1.2,10,,7,1,,,"), QStringLiteral("70,100,40,3,1.2,10,,7,1,,,"),
         QStringLiteral("80,120,50,5,1.5,,,14,1,,,")});
    if (!st)
        return st;

    st = writeDemoSounds(data + QStringLiteral("音フォルダ/"));
    if (!st)
        return st;

    // A few weeks of runs: each listed pupil practises some days, faster as the days go by.
    std::mt19937 random(s.seed);
    const int standard[6] = {0, 40, 45, 60, 70, 80};
    QByteArray records;
    for (int day = s.historyDays; day >= 0; --day) {
        const QDate date = s.today.addDays(-day);
        for (const DemoPupil& p : kPupils) {
            if (p.status != 0 || p.grade > 12 || p.grade < 0 || random() % 3 == 0)
                continue;
            const int runs = 1 + int(random() % 3);
            for (int i = 0; i < runs; ++i) {
                const int level = 1 + int(random() % 5);
                const double skill =
                    1.6 - 0.03 * (s.historyDays - day) - 0.04 * std::min(p.grade, 9);
                int time = int(standard[level] * skill + int(random() % 25)) - 10;
                if (random() % 40 == 0)
                    time = 99999; // a run that timed out
                ResultsRecord r;
                r.date = dayCount(date);
                r.timeOfDay = dayFraction(QTime(15 + i, int(random() % 60), int(random() % 60)));
                r.pupil = int16_t(p.number);
                r.level = int16_t(level);
                r.time = std::max(time, 12);
                r.schoolCode = ResultsRecord::textField(QStringLiteral("00123"));
                records += r.encode();
            }
        }
    }
    st = replaceFileAtomically(programData + QStringLiteral("成績累積データ.dat"), records);
    if (!st)
        return st;

    // The launcher the program returns to: a stand-in that says how it was started.
    const QString launcherDir = root + QStringLiteral("起動/");
    QDir().mkpath(launcherDir);
    const QString launcher = launcherDir + QStringLiteral("プログラムメニューc.exe");
    QFile script(launcher);
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return makeError(launcher, QStringLiteral("「%1」を書けません。").arg(launcher));
    script.write(
        "#!/bin/sh\n"
        "# Stand-in for the school's program menu: records how it was started.\n"
        "log=\"$(dirname \"$0\")/launcher.log\"\n"
        "echo \"$(date '+%F %T') started with: $*\" >> \"$log\"\n"
        "if command -v xmessage >/dev/null 2>&1 && [ -n \"$DISPLAY\" ]; then\n"
        "  xmessage -center -timeout 10 \"Program menu (stand-in) started with argument: $*\" &\n"
        "fi\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return Ok{};
}

} // namespace zanfolio
