#include "startup/configuration.h"

#include "frame/cp932.h"
#include "frame/datafiles.h"
#include "frame/itemreader.h"
#include "frame/paths.h"
#include "frame/programdefinition.h"
#include "results/criteria.h"
#include "sound/soundtable.h"

#include <vector>

namespace zanfolio {

void splitSchoolLine(const QString& line, Untyped* code, QString* name) {
    if (leadingNumber(line.left(5)) != 0.0) {
        *code = Untyped(line.left(5));
        *name = line.mid(5);
    } else {
        *code = Untyped();
        *name = line;
    }
}

namespace {

// Reads the first `count` items of a settings file.
Result<std::vector<Item>> readSettingsItems(const QString& path, int count) {
    Result<QString> text = readCp932File(path);
    if (!text) {
        Error e = text.error();
        e.message =
            e.kind == ErrorKind::NotFound
                ? QStringLiteral("設定ファイル「%1」が見つかりません。").arg(path)
                : QStringLiteral("設定ファイル「%1」を読めません。\n%2").arg(path, e.message);
        e.endsProgram = true;
        return e;
    }
    ItemReader reader(*text);
    std::vector<Item> items;
    while (int(items.size()) < count) {
        std::optional<Item> item = reader.next();
        if (!item)
            return makeError(path,
                             QStringLiteral("設定ファイル「%1」の項目が足りません（%2 "
                                            "項目が必要ですが %3 項目しかありません）。")
                                 .arg(path)
                                 .arg(count)
                                 .arg(items.size()),
                             true);
        items.push_back(*item);
    }
    return items;
}

} // namespace

Status LoadConfiguration(const StartUpParts& state, const QString& programDir, const Clock& clock,
                         CriteriaLoadReport* criteriaReport) {
    QString folder = programDir;
    while (folder.size() > 1 && isSeparator(folder.back()))
        folder.chop(1);
    state.installation.AppDir = withTrailingSeparator(folder);
    state.installation.SeasonColour = seasonColourForMonth(clock.now().date().month());

    Result<std::vector<Item>> paths = readSettingsItems(pathSettingsFile(state.installation), 10);
    if (!paths)
        return paths.error();
    const QString root = (*paths)[0].text;
    if (root.isEmpty())
        return makeError(pathSettingsFile(state.installation),
                         QStringLiteral("設定ファイル「%1」にデータフォルダの名前がありません。")
                             .arg(pathSettingsFile(state.installation)),
                         true);
    // A data root written without its trailing separator still names the folder.
    state.installation.DataRoot = withTrailingSeparator(root);

    Result<std::vector<Item>> common =
        readSettingsItems(commonSettingsFile(state.installation), 10);
    if (!common)
        return common.error();
    state.installation.SchoolYearStartMonth = (*common)[0].toUntyped();
    splitSchoolLine((*common)[1].text, &state.installation.SchoolCode,
                    &state.installation.SchoolName);
    state.installation.ListStatus2Setting = (*common)[2].toUntyped();
    state.installation.TeacherPassword = (*common)[5].toUntyped();

    state.installation.ProgramFolderName = lastComponent(folder);
    const QChar sep = separatorOf(state.installation.DataRoot);
    state.installation.ProgramDataDir =
        state.installation.DataRoot + state.installation.ProgramFolderName + sep;
    state.installation.SoundDir = state.installation.DataRoot + QStringLiteral("音フォルダ") + sep;
    if (state.installation.PendingDir.isEmpty())
        state.installation.PendingDir = defaultPendingDir();

    SetProgramTitle(state.program);

    Result<CriteriaLoadReport> criteria =
        LoadCriteriaTable(criteriaFile(state.installation), state.criteria);
    if (!criteria) {
        Error e = criteria.error();
        e.endsProgram = true;
        return e;
    }
    if (criteriaReport)
        *criteriaReport = *criteria;
    return Ok{};
}

QString criteriaWarning(const QString& path, const CriteriaTable& table,
                        const CriteriaLoadReport& report) {
    QStringList problems;
    for (int level = 1; level <= kOfferedLevelCount; ++level) {
        const QString name = definedLevelName(level);
        if (isPracticeLevelName(name))
            continue; // practice runs are timed against fixed criteria
        const QString which = QStringLiteral("レベル%1（%2）").arg(level).arg(name);
        const size_t l = size_t(level);
        if (level >= report.linesRead) {
            problems << which + QStringLiteral("：行がありません");
            continue;
        }
        QStringList fields;
        if (table.StandardTime[l] <= 0)
            fields << QStringLiteral("目標Time");
        if (table.MinimumLineTime[l] <= 0)
            fields << QStringLiteral("最低Time");
        if (!fields.isEmpty())
            problems << which + QStringLiteral("：%1が正の数ではありません")
                                    .arg(fields.join(QStringLiteral("と")));
    }
    if (report.linesIgnored > 0)
        problems << QStringLiteral("レベル35より後の%1行は読み込めません").arg(report.linesIgnored);
    if (problems.isEmpty())
        return {};
    return QStringLiteral("基準データ「%1」に次の問題があります。\n%2\n"
                          "このままでは時間切れにならず、最初の1回で合格になることがあります。"
                          "先生のデータ処理（合格タイムデータ変更）で直してください。")
        .arg(path, problems.join(u'\n'));
}

Result<QString> LoadStartUpFiles(const StartUpParts& state, const QString& programDir,
                                 const Clock& clock) {
    CriteriaLoadReport report;
    Status loaded = LoadConfiguration(state, programDir, clock, &report);
    if (loaded)
        loaded = LoadSoundTable(state.installation, state.sound);
    if (!loaded)
        return loaded.error();
    return criteriaWarning(criteriaFile(state.installation), state.criteria, report);
}

} // namespace zanfolio
