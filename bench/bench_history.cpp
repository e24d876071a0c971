// A school's long history: the steps whose cost could grow with it, timed at 25 000, 250 000,
// 1 000 000 and 3 000 000 records (a 500-pupil school records about 375 000 runs a year: 1 027
// a day here, so the biggest file holds eight years) and at 100 000 and 1 000 000 lines of
// wrong answers (about 400 a day).
//
// Each step reports, beside its time, what it read from the shared files ("bytes": the bytes
// the process read while it ran, /proc/self/io's rchar) and what the process holds after it
// ("rss_MB"). On a 100 Mbit/s classroom share a step costs about its bytes ÷ 12.5 MB/s more.
//
// Steps: the results menu's activation; its one-year list (１年間の全成績) and 今まで (every
// run: reads everything by its nature); the records browser opened, a record changed
// (変更して記録) and one deleted (消去: the file is written again whole by its nature); an arrow
// key in the criteria editor while the file is unchanged; the mistakes views over one month
// (the class panel and a pupil's box, read afresh).

#include "app/screenparts.h"
#include "app/sharedstate.h"
#include "benchports.h"
#include "frame/clock.h"
#include "frame/cp932.h"
#include "frame/daycount.h"
#include "frame/dialogs.h"
#include "frame/forms/appcontext.h"
#include "frame/forms/screenhost.h"
#include "frame/forms/textlist.h"
#include "frame/launcher.h"
#include "frame/platformfile.h"
#include "frame/programdefinition.h"
#include "frame/random.h"
#include "frame/waiter.h"
#include "menu/forms/seisekitime1.h"
#include "menu/mistakeviews.h"
#include "results/mistakesfile.h"
#include "results/resultsfile.h"
#include "results/statistics.h"
#include "roster/namelist.h"
#include "sound/sounddevice.h"
#include "sound/sounds.h"
#include "startup/configuration.h"
#include "teacher/forms/frmdata.h"
#include "teacher/forms/frmtimedata.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

using namespace zanfolio;
using namespace zanfolio::bench;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0));
constexpr int kPupils = 500;
constexpr int kRecordsADay = 1027;
constexpr int kMistakesADay = 400;

// What the process has read so far, in bytes, and what it holds, in MB.
qint64 bytesReadSoFar() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return 0;
}
double residentMB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

QByteArray resultsOf(int count) {
    std::mt19937 draw{7};
    QByteArray records;
    records.reserve(qsizetype(count) * ResultsRecord::kSize);
    const double today = dayCount(kNow.date());
    for (int i = 0; i < count; ++i) {
        ResultsRecord r;
        r.date = today - double((count - 1 - i) / kRecordsADay);
        r.timeOfDay = 0.5;
        r.pupil = int16_t(1 + draw() % kPupils);
        r.level = int16_t(1 + draw() % 5);
        r.time = int32_t(20 + draw() % 200);
        r.schoolCode = ResultsRecord::textField(QStringLiteral("00123"));
        records += r.encode();
    }
    return records;
}

QByteArray mistakesOf(int count) {
    std::mt19937 draw{11};
    QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + mistakesHeading().toUtf8() + "\r\n";
    const MistakeKind kinds[] = {MistakeKind::PlaceAlignment, MistakeKind::PointPosition,
                                 MistakeKind::CarryOrBorrow, MistakeKind::Typo, MistakeKind::Other};
    for (int i = 0; i < count; ++i) {
        MistakeRecord m;
        m.date = kNow.date().addDays(-qint64((count - 1 - i) / kMistakesADay));
        m.time = QTime(10, 0);
        m.pupil = int(1 + draw() % kPupils);
        m.level = int(1 + draw() % 5);
        m.first = QStringLiteral("0.07");
        m.sign = QStringLiteral("＋");
        m.second = QStringLiteral("3");
        m.answer = QStringLiteral("3.07");
        m.typed = QStringLiteral("0.1");
        m.kind = kinds[draw() % std::size(kinds)];
        bytes += mistakeLine(m);
    }
    return bytes;
}

// A school laid out as on the classroom computers, with `records` runs and `mistakes` wrong
// answers behind it, the menu up for pupil 1.
struct School {
    School(int records, int mistakes) : records(records), mistakes(mistakes) {
        const QString root = dir.path() + u'/';
        const QString data = root + QStringLiteral("data/");
        QDir().mkpath(data + QStringLiteral("calc"));
        QDir().mkpath(data + QStringLiteral("音フォルダ"));
        QDir().mkpath(root + QStringLiteral("calc"));
        writeLines(root + QStringLiteral("パスデータ.txt"),
                   {u'"' + data + u'"', "0,0,0,0,0,0,0,0,0"});
        writeLines(
            data + QStringLiteral("共通データ.txt"),
            {"4", QStringLiteral("\"00123テスト塾\""), "0", "0", "0", "\"1234\"", "0,0,0,0"});
        QStringList criteria{QStringLiteral("目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,"
                                            "禁点,判期間,禁期間,,,")};
        for (int level = 1; level <= 5; ++level)
            criteria << QStringLiteral("40,60,30,5,1,,,7,7,,,");
        writeLines(data + QStringLiteral("calc/タイム回数データ.txt"), criteria);
        writeLines(data + QStringLiteral("音フォルダ/新音ファイル.txt"), {});
        QStringList roster;
        for (int pupil = 1; pupil <= kPupils; ++pupil)
            roster << QStringLiteral("%1,%2,0,0,\"生徒%1\",0,,").arg(pupil).arg(2008 + pupil % 10);
        writeLines(data + QStringLiteral("新名簿.txt"), roster);
        resultsPath = data + QStringLiteral("calc/成績累積データ.dat");
        mistakesPath = data + QStringLiteral("calc/誤答記録.csv");
        if (!replaceFileAtomically(resultsPath, resultsOf(records)) ||
            !replaceFileAtomically(mistakesPath, mistakesOf(mistakes)))
            qFatal("cannot write the history");

        state->installation.PendingDir = root + QStringLiteral("pending/");
        if (!LoadStartUpFiles(startUpParts(*state), root + QStringLiteral("calc"), clock))
            qFatal("cannot load the school");
        ResultsFile file(resultsPath, waiter);
        const StatisticsPass statistics = [&]() -> Status {
            return ComputePupilStatistics(state->Stats, state->Criteria, file, clock);
        };
        if (!名簿表示(state->roster, state->installation, state->Stats, NameListRequest{}, clock,
                      waiter, statistics))
            qFatal("cannot build the name list");
        state->session.CurrentStudent = 1;
        state->session.StudentName = state->roster.RosterNames[1];
        state->session.GradeGroupFilter = QStringLiteral("全学年");
        DefineLevelTables(state->program);
        host.show();
    }

    void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class W> static W* control(QWidget* form, const char* name) {
        W* w = form->findChild<W*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    int records;
    int mistakes;
    QTemporaryDir dir;
    QString resultsPath;
    QString mistakesPath;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    FixedClock clock{kNow};
    FixedRandom random;
    OkDialogs dialogs;
    SilentDevice device;
    Sounds sounds{state->sound, state->installation, device, random};
    SharedFolderStore store{state->installation};
    NoLauncher launcher;
    SleepingWaiter waiter;
    ScreenHost host;
    AppContext context{clock, random, dialogs, launcher, waiter, host, {}};
};

std::unique_ptr<School> theSchool;

School& schoolOf(int records, int mistakes) {
    if (!theSchool || theSchool->records != records || theSchool->mistakes != mistakes) {
        theSchool.reset(); // one school on the disk at a time
        theSchool = std::make_unique<School>(records, mistakes);
    }
    return *theSchool;
}

// Times `step` and reports the bytes it read and what the process holds after it; `prepare`
// runs before each step, untimed.
template <class Step, class Prepare>
void measure(benchmark::State& st, School& s, Step step, Prepare prepare) {
    qint64 bytes = 0;
    for (auto _ : st) {
        st.PauseTiming();
        prepare();
        st.ResumeTiming();
        const qint64 before = bytesReadSoFar();
        step();
        bytes = bytesReadSoFar() - before;
        st.PauseTiming();
        s.settle();
        st.ResumeTiming();
    }
    st.counters["bytes"] = double(bytes);
    st.counters["rss_MB"] = residentMB();
}
template <class Step> void measure(benchmark::State& st, School& s, Step step) {
    measure(st, s, step, [] {});
}

Seisekitime1* menuOf(School& s) {
    auto* menu = new Seisekitime1(s.context, menuParts(*s.state, s.store));
    s.host.replace(menu);
    s.settle(); // the first activation
    return menu;
}

void menuActivation(benchmark::State& st, int records, int mistakes) {
    School& s = schoolOf(records, mistakes);
    Seisekitime1* menu = nullptr;
    measure(
        st, s, [&] { menu->activate(); },
        [&] {
            menu = new Seisekitime1(s.context, menuParts(*s.state, s.store));
            s.host.replace(menu);
            s.settle(); // its first activation
        });
}

void runList(benchmark::State& st, int records, int mistakes, int windowChoice) {
    School& s = schoolOf(records, mistakes);
    Seisekitime1* menu = menuOf(s);
    School::control<QRadioButton>(menu, "Option2_0")->click(); // ﾀｲﾑ表示
    s.state->menu.DateWindowChoice = windowChoice;
    auto* all = School::control<QRadioButton>(menu, "Option1_3"); // オール表示
    measure(st, s, [&] { all->click(); });
}

FrmData* browserOf(School& s) {
    auto* browser = new FrmData(s.context, teacherParts(*s.state, s.store));
    s.host.replace(browser);
    return browser;
}

void browserOpen(benchmark::State& st, int records, int mistakes) {
    School& s = schoolOf(records, mistakes);
    measure(st, s, [&] { browserOf(s); });
}

void browserChange(benchmark::State& st, int records, int mistakes) {
    School& s = schoolOf(records, mistakes);
    FrmData* browser = browserOf(s);
    s.settle();
    auto* list = School::control<TextList>(browser, "List1");
    const int row = list->model()->rowCount() - 2;
    int time = 30;
    // The teacher has scrolled to the record (untimed) and double-clicks it.
    measure(
        st, s,
        [&] {
            emit list->rowDoubleClicked(row);
            School::control<QLineEdit>(browser, "Text1_1")
                ->setText(QString::number(30 + time++ % 50));
            browser->SaveRecordChange();
        },
        [&] {
            list->scrollToRow(row);
            s.settle();
        });
}

void browserDelete(benchmark::State& st, int records, int mistakes) {
    School& s = schoolOf(records, mistakes);
    FrmData* browser = browserOf(s);
    s.settle();
    auto* list = School::control<TextList>(browser, "List1");
    measure(st, s, [&] {
        emit list->rowDoubleClicked(list->model()->rowCount() - 1);
        browser->DeleteSelectedRecord();
    });
    theSchool.reset(); // its file is shorter now
}

void criteriaKey(benchmark::State& st, int records, int mistakes) {
    School& s = schoolOf(records, mistakes);
    auto* editor = new FrmTimeData(s.context, teacherParts(*s.state, s.store));
    s.host.replace(editor);
    s.settle();
    auto* input = School::control<QLineEdit>(editor, "Gridinputtext");
    int i = 0;
    measure(st, s, [&] { QTest::keyClick(input, i++ % 2 ? Qt::Key_Up : Qt::Key_Down); });
}

void mistakesMonth(benchmark::State& st, int records, int mistakes) {
    School& s = schoolOf(records, mistakes);
    constexpr int kMonth = 3;
    measure(st, s, [&] {
        WindowedMistakes held;
        if (!held.cover(s.mistakesPath, s.waiter, mistakeWindowFirstDate(kMonth, kNow.date())))
            qFatal("cannot read the mistakes");
        benchmark::DoNotOptimize(classMistakesView(s.state->program, s.state->roster,
                                                   held.records(), QStringLiteral("全学年"), kNow,
                                                   kMonth));
        benchmark::DoNotOptimize(
            pupilMistakesView(s.state->roster, held.records(), 1, kNow, kMonth));
    });
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const std::pair<int, int> sizes[] = {
        {25'000, 100'000}, {250'000, 100'000}, {1'000'000, 1'000'000}, {3'000'000, 1'000'000}};
    for (const auto& [records, mistakes] : sizes) {
        const std::string at =
            "/records:" + std::to_string(records) + "/mistakes:" + std::to_string(mistakes);
        const auto add = [&](const char* name, auto step) {
            benchmark::RegisterBenchmark((name + at).c_str(), step, records, mistakes)
                ->Unit(benchmark::kMillisecond);
        };
        add("menu_activation", menuActivation);
        add("one_year_list", [](benchmark::State& st, int r, int m) { runList(st, r, m, 4); });
        add("until_now_list", [](benchmark::State& st, int r, int m) { runList(st, r, m, 5); });
        add("browser_open", browserOpen);
        add("browser_change", browserChange);
        add("criteria_key", criteriaKey);
        add("mistakes_month", mistakesMonth);
        // Last at its size: the school is made again afterwards.
        benchmark::RegisterBenchmark(("browser_delete" + at).c_str(), browserDelete, records,
                                     mistakes)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theSchool.reset();
    return 0;
}
