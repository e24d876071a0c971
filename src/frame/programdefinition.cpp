#include "frame/programdefinition.h"

namespace zanfolio {

namespace {
// Names 11 and 20 end in a half-width "1"; the others in full-width digits. Used as listed.
const char* const kLevelNames[24] = {
    "足し算１",     "引き算１",     "足し算２",     "引き算２",     "混合",         "レベル２－２",
    "レベル３練習", "レベル３－１", "レベル３－２", "レベル４練習", "レベル４－1",  "レベル４－２",
    "レベル５練習", "レベル５－１", "レベル５－２", "レベル６練習", "レベル６－１", "レベル６－２",
    "レベル７練習", "レベル７－1",  "レベル７－２", "レベル８練習", "レベル８－１", "レベル８－２",
};
} // namespace

void SetProgramTitle(ProgramDefinition& program) {
    program.ProgramTitle = QStringLiteral("Zanfolio");
    program.TeacherPrintButton = 0;
    program.AllLevelsOpen = 1;
}

QString definedLevelName(int level) {
    return level >= 1 && level <= 24 ? QString::fromUtf8(kLevelNames[level - 1]) : QString();
}

bool isPracticeLevelName(const QString& name) {
    return name.contains(QStringLiteral("練"));
}

void DefineLevelTables(ProgramDefinition& program) {
    program.LevelCount = kOfferedLevelCount;
    program.TargetLevel = 5;
    for (int k = 1; k <= 24; ++k) {
        program.LevelNames[size_t(k)] = definedLevelName(k);
        program.LevelPresent[size_t(k)] = 1;
    }
    // A definition with fewer names gives the first twelve levels a default name.
    for (int k = 1; k <= 12; ++k) {
        if (program.LevelNames[size_t(k)].isEmpty())
            program.LevelNames[size_t(k)] = QStringLiteral("ﾚﾍﾞﾙ") + QString::number(k);
    }
}

bool isPracticeLevel(const ProgramDefinition& program, int level) {
    return level >= 0 && level <= kMaxLevel &&
           isPracticeLevelName(program.LevelNames[size_t(level)]);
}

} // namespace zanfolio
