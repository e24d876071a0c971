#include "menu/datewindow.h"

namespace zanfolio {

QStringList dateWindowEntries() {
    return {
        QStringLiteral("　　　今週の全成績"),   QStringLiteral("　　先週からの全成績"),
        QStringLiteral("　　１ヶ月間の全成績"), QStringLiteral("　　１年間の全成績"),
        QStringLiteral("　　今までの全成績\""),
    };
}

QString initialDateWindowText() {
    return dateWindowEntries().at(kDefaultDateWindowChoice - 1);
}

int weekdayFromSunday(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

int DateWindowDays(int choice, int w) {
    switch (choice) {
    case 1:
        return w == 1 ? 7 : w - 1;
    case 2:
        return w == 1 ? 14 : w - 1 + 7;
    case 4:
        return 365;
    case 5:
        return 3650;
    default:
        return 30;
    }
}

} // namespace zanfolio
