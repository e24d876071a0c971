#include "results/criteria.h"

#include "frame/cp932.h"
#include "frame/itemreader.h"

#include <cmath>
#include <limits>

namespace zanfolio {

CriteriaRow standardCriteriaCaptions() {
    return {QStringLiteral("目標Time"),
            QStringLiteral("最低Time"),
            QStringLiteral("ｸﾘｱﾎﾟｲﾝﾄ"),
            QStringLiteral("ｸﾘｱ回数"),
            QStringLiteral("ﾎﾟｲﾝﾄ倍率"),
            QStringLiteral("禁回"),
            QStringLiteral("禁点"),
            QStringLiteral("判期間"),
            QStringLiteral("禁期間"),
            QString(),
            QString(),
            QString()};
}

namespace {

template <class Int> Int toInteger(const Item& item) {
    // Whole-number fields round like the files' reader: halves to the even number.
    const double v = std::nearbyint(item.toNumber());
    const double lo = double(std::numeric_limits<Int>::min());
    const double hi = double(std::numeric_limits<Int>::max());
    return Int(v < lo ? lo : v > hi ? hi : v);
}

void storeField(CriteriaTable& t, size_t i, int field, const Item& item) {
    switch (field) {
    case 0:
        t.StandardTime[i] = toInteger<int32_t>(item);
        break;
    case 1:
        t.MinimumLineTime[i] = toInteger<int32_t>(item);
        break;
    case 2:
        t.TargetPoints[i] = toInteger<int32_t>(item);
        break;
    case 3:
        t.TargetCount[i] = toInteger<int16_t>(item);
        break;
    case 4:
        t.PointMultiplier[i] = float(item.toNumber());
        break;
    case 5:
        t.OveruseRunLimit[i] = item.toUntyped();
        break;
    case 6:
        t.OverusePointLimit[i] = item.toUntyped();
        break;
    case 7:
        t.ClearWindowDays[i] = item.toUntyped();
        break;
    case 8:
        t.OveruseWindowDays[i] = item.toUntyped();
        break;
    case 9:
        t.SpareCriterion10[i] = item.toUntyped();
        break;
    case 10:
        t.SpareCriterion11[i] = item.toUntyped();
        break;
    default:
        t.SpareCriterion12[i] = item.toUntyped();
        break;
    }
}

Result<QString> readCriteriaText(const QString& path) {
    Result<QString> text = readCp932File(path);
    if (!text) {
        Error e = text.error();
        e.message = e.kind == ErrorKind::NotFound
                        ? QStringLiteral("基準データ「%1」が見つかりません。").arg(path)
                        : QStringLiteral("基準データ「%1」を読めません。\n%2").arg(path, e.message);
        return e;
    }
    return text;
}

} // namespace

Result<CriteriaLoadReport> LoadCriteriaTable(const QString& path, CriteriaTable& table) {
    Result<QString> text = readCriteriaText(path);
    if (!text)
        return text.error();
    ItemReader reader(*text);
    CriteriaLoadReport report;
    int index = 0;
    while (!reader.atEnd()) {
        if (index > kMaxLevel) {
            // The tables end at level 35: count the lines left over and ignore them.
            const int firstExtraLine = reader.line();
            int lastLine = firstExtraLine;
            while (std::optional<Item> item = reader.next())
                lastLine = item->line;
            report.linesIgnored = lastLine - firstExtraLine + 1;
            break;
        }
        for (int field = 0; field < kCriteriaFields; ++field) {
            std::optional<Item> item = reader.next();
            storeField(table, size_t(index), field, item ? *item : Item{});
        }
        ++index;
    }
    report.linesRead = index;
    return report;
}

Result<std::vector<CriteriaRow>> readCriteriaRows(const QString& path) {
    Result<QString> text = readCriteriaText(path);
    if (!text)
        return text.error();
    ItemReader reader(*text);
    std::vector<CriteriaRow> rows;
    while (!reader.atEnd()) {
        CriteriaRow row;
        for (int field = 0; field < kCriteriaFields; ++field) {
            std::optional<Item> item = reader.next();
            if (item)
                row[size_t(field)] = item->text;
        }
        rows.push_back(row);
    }
    return rows;
}

QString criteriaCellRefusal(const QString& text) {
    if (text.contains(u',') || text.contains(u'"'))
        return QStringLiteral("カンマ（,）と二重引用符（\"）はセルに入力できません。");
    return {};
}

namespace {

// A field as the file holds it: quoted when an unquoted item could not carry it whole.
QString fileField(const QString& text) {
    const bool needsQuotes = text.contains(u',') ||
                             (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    return needsQuotes ? u'"' + text + u'"' : text;
}

QString fileLine(const CriteriaRow& row) {
    QStringList fields;
    for (const QString& cell : row)
        fields << fileField(cell);
    return fields.join(u',');
}

} // namespace

Status SaveCriteriaTable(const QString& path, const std::vector<CriteriaRow>& levelRows,
                         CriteriaTable& table) {
    QStringList lines;
    lines << fileLine(standardCriteriaCaptions());
    for (const CriteriaRow& row : levelRows)
        lines << fileLine(row);
    Status written = writeCp932Lines(path, lines);
    if (!written) {
        Error e = written.error();
        e.message =
            QStringLiteral("基準データ「%1」を保存できませんでした。\n%2").arg(path, e.message);
        return e;
    }
    Result<CriteriaLoadReport> loaded = LoadCriteriaTable(path, table);
    if (!loaded)
        return loaded.error();
    return Ok{};
}

} // namespace zanfolio
