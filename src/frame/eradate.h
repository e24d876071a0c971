#pragma once
// Today's date as the splash shows it: the Japanese era, "令和8年 12月 09日（水）".

#include <QDate>
#include <QString>

namespace zanfolio {

// Pattern "Gy年 M月 dd日（E）" in the Japanese calendar (ICU, ja_JP@calendar=japanese).
QString japaneseEraDateText(const QDate& date);

} // namespace zanfolio
