// The figures of the mistakes with decimals at the command line:
//
//   mistakes --pupil N [--days D]
//
// prints, as one line of JSON, what the teacher sees of pupil N's mistakes within the last D
// days (30 when absent, the menu's one-month window): every kind in order, its count and its
// latest examples, read from the mistakes file "誤答記録.csv" of the installation. A missing
// file has no mistakes; lines of the file that cannot be read are counted. Beside them, from the
// answers file "解答記録.csv" over the same days, "misconceptions": for every level the pupil
// answered on, each wrong way of working (kMisconceptions, in order) with its opportunities,
// how many of them the answers showed it on, and the verdict ("定着", "たまに" or "").

#include "frame/datafiles.h"
#include "menu/mistakefigures.h"
#include "results/answersfile.h"
#include "results/mistakesfile.h"
#include "tools/commandcontext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zanfolio {

namespace {

constexpr int kDefaultDays = 30;
constexpr int kMostDays = 36500;

} // namespace

int mistakesCommand(CommandContext& context, QTextStream& out, QTextStream& err) {
    const std::optional<int> pupil = context.intOption("pupil", err, 1, kMaxPupil);
    const std::optional<int> days = context.intOptionOr("days", kDefaultDays, err, 0, kMostDays);
    if (!pupil || !days)
        return kExitUsage;
    Result<MistakesRead> read =
        readMistakes(mistakesFile(context.state.installation), context.waiter);
    if (!read) {
        err << read.error().message << "\n";
        return kExitUsage;
    }
    QJsonArray kinds;
    for (const KindFigure& f :
         pupilMistakeFigures(read->records, *pupil, context.clock.now(), *days)) {
        QJsonObject o;
        o.insert(QStringLiteral("kind"), mistakeKindLabel(f.kind));
        o.insert(QStringLiteral("count"), f.count);
        o.insert(QStringLiteral("examples"), QJsonArray::fromStringList(f.examples));
        kinds.append(o);
    }
    const QDate firstDay = context.clock.now().date().addDays(1 - *days);
    Result<AnswersRead> answers =
        readAnswersSince(answersFile(context.state.installation), context.waiter, firstDay);
    if (!answers) {
        err << answers.error().message << "\n";
        return kExitUsage;
    }
    const Diagnosis diagnosis = diagnosisOf(answers->records);
    QJsonArray levels;
    for (const auto& [who, level] : diagnosis.pupilLevels()) {
        if (who != *pupil)
            continue;
        const Tallies tallies = diagnosis.tallies(who, level);
        QJsonArray shownKinds;
        for (size_t i = 0; i < kMisconceptions.size(); ++i) {
            QJsonObject o;
            o.insert(QStringLiteral("kind"), mistakeKindLabel(kMisconceptions[i]));
            o.insert(QStringLiteral("opportunities"), tallies[i].opportunities);
            o.insert(QStringLiteral("shown"), tallies[i].shown);
            o.insert(QStringLiteral("verdict"), verdictLabel(verdictOf(tallies[i])));
            shownKinds.append(o);
        }
        QJsonObject l;
        l.insert(QStringLiteral("level"), level);
        l.insert(QStringLiteral("kinds"), shownKinds);
        levels.append(l);
    }
    QJsonObject root;
    root.insert(QStringLiteral("misconceptions"), levels);
    root.insert(QStringLiteral("pupil"), *pupil);
    root.insert(QStringLiteral("days"), *days);
    root.insert(QStringLiteral("unreadable_lines"), read->unreadableLines);
    root.insert(QStringLiteral("kinds"), kinds);
    out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact)) << "\n";
    return 0;
}

} // namespace zanfolio
