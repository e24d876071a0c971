// The big lists of a large school: 5000 listed pupils and 25000 records over about sixteen
// months. Measured: the results menu's activation (statistics pass, tallies, the points
// rankings of every level, the level rules) and its one-year list of every run ("オール表示"
// with "１年間の全成績", about 19000 lines); the roster's name list rebuilt (5000 names); the
// teacher's records browser (25000 lines). Offscreen, as the screens build them.

#include "app/screenparts.h"
#include "app/sharedstate.h"
#include "benchports.h"
#include "frame/clock.h"
#include "frame/cp932.h"
#include "frame/daycount.h"
#include "frame/dialogs.h"
#include "frame/forms/appcontext.h"
#include "frame/forms/screenhost.h"
#include "frame/launcher.h"
#include "frame/platformfile.h"
#include "frame/programdefinition.h"
#include "frame/random.h"
#include "frame/waiter.h"
#include "menu/forms/seisekitime1.h"
#include "menu/levelranking.h"
#include "results/resultsfile.h"
#include "results/statistics.h"
#include "roster/forms/namesel.h"
#include "roster/namelist.h"
#include "sound/sounddevice.h"
#include "sound/sounds.h"
#include "startup/configuration.h"
#include "teacher/forms/frmdata.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QRadioButton>
#include <QTemporaryDir>
#include <array>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

using namespace zanfolio;
using namespace zanfolio::bench;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0));
constexpr int kPupils = 5000;
constexpr int kRecords = 25000;
constexpr int kDaysCovered = 480;

// A school laid out as on the classroom computers, the menu up for pupil 1.
struct School {
    School() {
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
        std::mt19937 draw{7};
        QByteArray records;
        const double today = dayCount(kNow.date());
        for (int i = 0; i < kRecords; ++i) {
            ResultsRecord r;
            r.date = today - double(kRecords - 1 - i) * kDaysCovered / kRecords;
            r.timeOfDay = 0.5;
            r.pupil = int16_t(1 + draw() % kPupils);
            r.level = int16_t(1 + draw() % 5);
            r.time = int32_t(20 + draw() % 200);
            r.schoolCode = ResultsRecord::textField(QStringLiteral("00123"));
            records += r.encode();
        }
        if (!replaceFileAtomically(data + QStringLiteral("calc/成績累積データ.dat"), records))
            qFatal("cannot write the results");

        state->installation.PendingDir = root + QStringLiteral("pending/");
        if (!LoadStartUpFiles(startUpParts(*state), root + QStringLiteral("calc"), clock))
            qFatal("cannot load the school");
        ResultsFile file(data + QStringLiteral("calc/成績累積データ.dat"), waiter);
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
        menu = new Seisekitime1(context, menuParts(*state, store));
        host.replace(menu);
        host.show(); // on the offscreen platform: laid out and painted, as on a screen
        QCoreApplication::processEvents(); // the first activation
    }
    template <class W> W* control(const char* name) const {
        W* w = menu->findChild<W*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    QTemporaryDir dir;
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
    Seisekitime1* menu = nullptr;
};

School* theSchool = nullptr; // made in main(), after the application

School& school() {
    return *theSchool;
}

int listedLines(const School& s) {
    int lines = 0;
    for (int level = 1; level <= 5; ++level) {
        const auto* list =
            s.menu->findChild<QAbstractItemView*>(QStringLiteral("List5_%1").arg(level));
        lines += list ? list->model()->rowCount() : 0;
    }
    return lines;
}

// The activation of a freshly built menu (statistics, tallies, the points rankings of every
// level, the level rules, the screen painted): the form's construction is not timed.
void BM_MenuActivation(benchmark::State& st) {
    School& s = school();
    for (auto _ : st) {
        st.PauseTiming();
        s.menu = new Seisekitime1(s.context, menuParts(*s.state, s.store));
        s.host.replace(s.menu);
        st.ResumeTiming();
        s.menu->activate();
        st.PauseTiming();
        QCoreApplication::processEvents(); // the replaced form goes; a second activation
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        st.ResumeTiming();
    }
    st.counters["lines"] = listedLines(s);
}

// Entering the menu as a whole: the form built, put up and activated.
void BM_EnterMenu(benchmark::State& st) {
    School& s = school();
    for (auto _ : st) {
        s.menu = new Seisekitime1(s.context, menuParts(*s.state, s.store));
        s.host.replace(s.menu);
        s.menu->activate();
        st.PauseTiming();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        st.ResumeTiming();
    }
}

void BM_OneYearRunList(benchmark::State& st) {
    School& s = school();
    s.control<QRadioButton>("Option2_0")->click(); // ﾀｲﾑ表示
    s.state->menu.DateWindowChoice = 4;            // １年間の全成績
    auto* all = s.control<QRadioButton>("Option1_3");
    for (auto _ : st)
        all->click();
    st.counters["lines"] = listedLines(s);
}

// The rankings alone: what the activation's points view computes for every level.
void BM_PointsRankings(benchmark::State& st) {
    School& s = school();
    for (auto _ : st)
        benchmark::DoNotOptimize(BuildRankingView(
            s.state->program, s.state->roster, s.state->Stats, s.state->session.CurrentStudent,
            RankingKind::TotalPoints, QStringLiteral("全学年")));
}

// The name list rebuilt for another display mode: the statistics pass and 5000 lines.
void BM_RosterList(benchmark::State& st) {
    School& s = school();
    auto* roster = new Namesel(s.context, rosterFormParts(*s.state, s.sounds, s.store));
    s.host.replace(roster);
    QCoreApplication::processEvents();
    const std::array modes{roster->findChild<QRadioButton*>(QStringLiteral("Option1_0")),
                           roster->findChild<QRadioButton*>(QStringLiteral("Option1_1"))};
    int i = 0;
    for (auto _ : st)
        modes[size_t(i++ % 2)]->click();
    st.counters["lines"] =
        roster->findChild<QAbstractItemView*>(QStringLiteral("List1"))->model()->rowCount();
}

// The records browser opened: the roster and the whole results file read, one line a record.
void BM_RecordsBrowser(benchmark::State& st) {
    School& s = school();
    int lines = 0;
    for (auto _ : st) {
        auto* browser = new FrmData(s.context, teacherParts(*s.state, s.store));
        s.host.replace(browser);
        lines =
            browser->findChild<QAbstractItemView*>(QStringLiteral("List1"))->model()->rowCount();
        st.PauseTiming();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        st.ResumeTiming();
    }
    st.counters["lines"] = lines;
}

} // namespace

BENCHMARK(BM_RosterList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordsBrowser)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PointsRankings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MenuActivation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnterMenu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneYearRunList)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto made = std::make_unique<School>();
    theSchool = made.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
