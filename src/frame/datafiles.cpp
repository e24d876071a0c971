#include "frame/datafiles.h"

#include "frame/paths.h"
#include "frame/sharedstate.h"

namespace zanfolio {

QString pathSettingsFile(const SharedState& s) {
    return s.AppDir + QStringLiteral("..") + separatorOf(s.AppDir) +
           QStringLiteral("パスデータ.txt");
}
QString commonSettingsFile(const SharedState& s) {
    return s.DataRoot + QStringLiteral("共通データ.txt");
}
QString criteriaFile(const SharedState& s) {
    return s.ProgramDataDir + QStringLiteral("タイム回数データ.txt");
}
QString resultsFile(const SharedState& s) {
    return s.ProgramDataDir + QStringLiteral("成績累積データ.dat");
}
QString rosterFile(const SharedState& s) {
    return s.DataRoot + QStringLiteral("新名簿.txt");
}

uint32_t seasonColourForMonth(int month) {
    switch (month) {
    case 1:
    case 2:
        return 0x0080FF;
    case 3:
    case 4:
    case 5:
    case 12:
        return 0xC0FFC0;
    case 6:
    case 7:
    case 8:
        return 0xC0C000;
    default:
        return 0x0040C0;
    }
}

} // namespace zanfolio
