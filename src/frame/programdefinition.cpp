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

void SetProgramTitle(SharedState& state) {
    state.ProgramTitle = QStringLiteral("Zanfolio");
    state.TeacherPrintButton = 0;
    state.AllLevelsOpen = 1;
}

QString definedLevelName(int level) {
    return level >= 1 && level <= 24 ? QString::fromUtf8(kLevelNames[level - 1]) : QString();
}

bool isPracticeLevelName(const QString& name) {
    return name.contains(QStringLiteral("練"));
}

void DefineLevelTables(SharedState& state) {
    state.LevelCount = kOfferedLevelCount;
    state.TargetLevel = 5;
    for (int k = 1; k <= 24; ++k) {
        state.LevelNames[size_t(k)] = definedLevelName(k);
        state.LevelPresent[size_t(k)] = 1;
    }
    // A definition with fewer names gives the first twelve levels a default name.
    for (int k = 1; k <= 12; ++k) {
        if (state.LevelNames[size_t(k)].isEmpty())
            state.LevelNames[size_t(k)] = QStringLiteral("ﾚﾍﾞﾙ") + QString::number(k);
    }
}

bool isPracticeLevel(const SharedState& state, int level) {
    return level >= 0 && level <= kMaxLevel && isPracticeLevelName(state.LevelNames[size_t(level)]);
}

} // namespace zanfolio
