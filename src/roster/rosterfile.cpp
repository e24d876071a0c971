#include "roster/rosterfile.h"

#include "frame/cp932.h"
#include "frame/itemreader.h"

#include <cmath>
#include <optional>

namespace zanfolio {

QString rosterField(const QString& text) {
    return text.left(kRosterFieldWidth).leftJustified(kRosterFieldWidth, u' ');
}

QString trimSpaces(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

namespace {

// A 16-bit integer field, or nothing when the value does not fit.
std::optional<int> int16Field(const Item& item) {
    const double value = std::nearbyint(item.toNumber()); // half to even in the default mode
    if (!(value >= -32768.0 && value <= 32767.0))
        return std::nullopt;
    return int(value);
}

} // namespace

RosterFileContents parseRoster(const QString& text) {
    RosterFileContents contents;
    ItemReader reader(text);
    std::vector<Item> items;
    while (!reader.atEnd()) {
        // One line at a time: a line with an item too few or too many, or with a line break
        // inside its quotes, is left out alone and never shifts the lines after it.
        const int line = reader.line();
        items.clear();
        while (!reader.atEnd() && reader.line() == line)
            items.push_back(*reader.next());
        const int lineNumber = line + 1;
        const auto skip = [&] {
            ++contents.skippedLines;
            contents.skippedLineNumbers.push_back(lineNumber);
        };
        if (items.size() != 8 || !isNumericText(items[0].text)) {
            skip();
            continue;
        }
        const std::optional<int> index = int16Field(items[0]);
        const std::optional<int> birthYear = int16Field(items[1]);
        const std::optional<int> spare1 = int16Field(items[2]);
        const std::optional<int> spare2 = int16Field(items[3]);
        const std::optional<int> status = int16Field(items[5]);
        if (!index || *index < 0 || *index > kMaxPupil || !birthYear || !spare1 || !spare2 ||
            !status) {
            skip();
            continue;
        }
        RosterRecord r;
        r.Index = *index;
        r.BirthYear = *birthYear;
        r.SpareNumber1 = *spare1;
        r.SpareNumber2 = *spare2;
        r.Name = rosterField(items[4].text);
        r.Status = *status;
        r.SpareText1 = rosterField(items[6].text);
        r.SpareText2 = rosterField(items[7].text);
        contents.lines.push_back(std::move(r));
        contents.lineNumbers.push_back(lineNumber);
    }
    return contents;
}

Result<RosterFileContents> readRosterFile(const QString& path) {
    Result<QString> text = readCp932File(path);
    if (!text)
        return text.error();
    return parseRoster(*text);
}

QString skippedRosterLinesMessage(const QString& path, const std::vector<int>& lineNumbers) {
    if (lineNumbers.empty())
        return {};
    constexpr size_t kShown = 10;
    QStringList shown;
    for (size_t i = 0; i < lineNumbers.size() && i < kShown; ++i)
        shown << QStringLiteral("%1行目").arg(lineNumbers[i]);
    QString lines = shown.join(QStringLiteral("、"));
    if (lineNumbers.size() > kShown)
        lines += QStringLiteral("（ほか%1行）").arg(lineNumbers.size() - kShown);
    return QStringLiteral(
               "名簿「%1」の次の行は読み取れないため、名前の一覧に入れていません。\n%2\n"
               "生徒番号（0〜5000）、生まれ年などの数、項目の数（8つ）を確かめてください。")
        .arg(path, lines);
}

} // namespace zanfolio
