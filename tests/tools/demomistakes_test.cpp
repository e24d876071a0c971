// The demo installation's wrong answers: each one a mistake the drill could have recorded in
// one of the demo's runs, classified as the drill classifies it.

#include "app/sharedstate.h"
#include "drill/answerentry.h"
#include "drill/mistakekind.h"
#include "frame/daycount.h"
#include "results/answersfile.h"
#include "results/mistakesfile.h"
#include "results/resultsfile.h"
#include "support/fakes.h"
#include "tools/demoinstallation.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

// Laid out at 13:40, before the afternoon's usual runs.
const QDateTime kLaidOut(QDate(2026, 12, 9), QTime(13, 40));

class DemoMistakes : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        DemoSettings settings;
        settings.root = dir.path();
        settings.now = kLaidOut;
        ASSERT_TRUE(writeDemoInstallation(settings).ok());
        const QString data = dir.path() + QStringLiteral("/data/calc/");
        Result<MistakesRead> read = readMistakes(data + QStringLiteral("誤答記録.csv"));
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read->unreadableLines, 0);
        EXPECT_FALSE(read->tornTail);
        mistakes = read->records;
        RecordingWaiter waiter;
        ResultsFile file(data + QStringLiteral("成績累積データ.dat"), waiter);
        Result<ResultsTail> tail = file.readTail(0);
        ASSERT_TRUE(tail.ok());
        records = tail->records;
    }

    QTemporaryDir dir;
    std::vector<MistakeRecord> mistakes;
    std::vector<ResultsRecord> records;
};

Decimal number(const QString& text) {
    return leadingDecimal(text).value;
}

TEST_F(DemoMistakes, EveryWrongAnswerIsOneTheDrillWouldHaveRecorded) {
    ASSERT_GT(mistakes.size(), 300u);
    for (const MistakeRecord& m : mistakes) {
        const QString line = QString::fromUtf8(mistakeLine(m)).trimmed();
        SCOPED_TRACE(line.toStdString());
        // A problem of its level: additions on levels 1 and 3, subtractions on 2 and 4.
        ASSERT_TRUE(m.level >= 1 && m.level <= 5);
        const bool subtract = m.sign == QStringLiteral("－");
        if (m.level <= 4) {
            EXPECT_EQ(subtract, m.level % 2 == 0);
        }
        const ProblemNumbers problem{number(m.first), m.sign, number(m.second), number(m.answer)};
        EXPECT_EQ(problem.answer,
                  subtract ? problem.first - problem.second : problem.first + problem.second);
        EXPECT_EQ(Text(problem.answer), m.answer);
        // Typed as the drill takes answers in, and wrong.
        EXPECT_TRUE(m.typed.contains(u'.'));
        EXPECT_LE(m.typed.size(), kMaxInputLength);
        EXPECT_FALSE(answerMatches(m.typed, problem.answer));
        EXPECT_EQ(classifyMistake(problem, m.typed), m.kind);
    }
}

TEST_F(DemoMistakes, EveryKindComesUpAndPupilsDifferInTheirs) {
    std::map<MistakeKind, int> kinds;
    std::map<int, std::map<MistakeKind, int>> byPupil;
    for (const MistakeRecord& m : mistakes) {
        ++kinds[m.kind];
        ++byPupil[m.pupil][m.kind];
    }
    for (MistakeKind kind : kMistakeKinds)
        EXPECT_GT(kinds[kind], 5) << mistakeKindLabel(kind).toStdString();
    std::set<MistakeKind> mostMade;
    for (const auto& [pupil, counts] : byPupil) {
        MistakeKind most = MistakeKind::Other;
        int mostCount = 0;
        for (const auto& [kind, n] : counts) {
            if (n > mostCount) {
                most = kind;
                mostCount = n;
            }
        }
        mostMade.insert(most);
    }
    EXPECT_GE(mostMade.size(), 4u) << "the pupils' most frequent kinds are much the same";
}

// Each wrong answer happened during a run of its pupil on its level: on the run's day,
// between its start and the moment its record was written.
TEST_F(DemoMistakes, EveryWrongAnswerLiesWithinARunOfItsPupilAndLevel) {
    for (const MistakeRecord& m : mistakes) {
        bool within = false;
        for (const ResultsRecord& r : records) {
            if (r.pupil != m.pupil || r.level != m.level || dateFromDayCount(r.date) != m.date)
                continue;
            const QTime end = timeFromDayFraction(r.timeOfDay);
            const int lasted = r.time >= kNoTime ? 300 : int(r.time);
            if (m.time <= end && m.time >= end.addSecs(-lasted))
                within = true;
        }
        EXPECT_TRUE(within) << QString::fromUtf8(mistakeLine(m)).toStdString();
        if (!within)
            break;
    }
}

// The history ends before the moment it is laid out, today included, in the order the runs
// ended, as the computers append them.
TEST_F(DemoMistakes, TheHistoryEndsBeforeTheMomentItIsLaidOut) {
    const auto when = [](double date, QTime time) {
        return QDateTime(dateFromDayCount(date), time);
    };
    int today = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        const QDateTime end = when(records[i].date, timeFromDayFraction(records[i].timeOfDay));
        EXPECT_LT(end, kLaidOut);
        today += end.date() == kLaidOut.date();
        if (i > 0) {
            EXPECT_LE(when(records[i - 1].date, timeFromDayFraction(records[i - 1].timeOfDay)),
                      end);
        }
    }
    EXPECT_GT(today, 3) << "the demo shows runs of today";
    for (const MistakeRecord& m : mistakes)
        EXPECT_LT(QDateTime(m.date, m.time), kLaidOut);
}

// The demo's answers: every wrong one is a line of the mistakes file, each run has its ten right
// ones, one pupil lines up the last digits systematically and a pupil who only slips is never
// called systematic.
TEST_F(DemoMistakes, AnswersShowOneSystematicPupilAndPupilsWhoOnlySlip) {
    Result<AnswersRead> read =
        readAnswersSince(dir.path() + QStringLiteral("/data/calc/解答記録.csv"), QDate());
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->unreadableLines, 0);
    std::multiset<QByteArray> wrong;
    size_t right = 0;
    for (const AnswerRecord& a : read->records) {
        EXPECT_LT(QDateTime(a.date, a.time), kLaidOut);
        EXPECT_EQ(a.correct, answerMatches(a.typed, number(a.answer))) << a.typed.toStdString();
        if (a.correct) {
            ++right;
            continue;
        }
        MistakeRecord m{a.date, a.time,   a.pupil,  a.level, a.first,
                        a.sign, a.second, a.answer, a.typed, *a.kind};
        wrong.insert(mistakeLine(m));
    }
    std::multiset<QByteArray> inMistakesFile;
    for (const MistakeRecord& m : mistakes)
        inMistakesFile.insert(mistakeLine(m));
    EXPECT_EQ(wrong, inMistakesFile);
    EXPECT_GE(right, 10 * records.size());

    const Diagnosis d = diagnosisOf(read->records);
    EXPECT_EQ(d.systematicKinds(kSystematicDemoPupil),
              std::vector<MistakeKind>{MistakeKind::PlaceAlignment});
    int slipsOnly = 0;
    for (const auto& [pupil, level] : d.pupilLevels()) {
        if (pupil == kSystematicDemoPupil)
            continue;
        ++slipsOnly;
        EXPECT_TRUE(d.systematicKinds(pupil, level).empty()) << pupil << " " << level;
    }
    EXPECT_GT(slipsOnly, 20);
}

} // namespace
