#include "frame/csvtext.h"

#include <utility>

namespace zanfolio {

namespace {

const QString kFormulaStarts = QStringLiteral("=+-@\t\r");

QString quotedIfNeeded(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QString csvTextField(const QString& text) {
    const bool formulaLike = !text.isEmpty() && kFormulaStarts.contains(text.front());
    return quotedIfNeeded(formulaLike ? u'\'' + text : text);
}

QString csvTextValue(const QString& value) {
    if (value.size() >= 2 && value[0] == u'\'' && kFormulaStarts.contains(value[1]))
        return value.mid(1);
    return value;
}

CsvRows parseCsv(QStringView text) {
    CsvRows out;
    QStringList row;
    QString field;
    bool quoted = false;   // inside a quoted part
    bool lineOpen = false; // something of the current line has been read
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        lineOpen = true;
        if (quoted) {
            if (c != u'"') {
                field += c;
            } else if (i + 1 < n && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << std::exchange(field, QString());
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            row << std::exchange(field, QString());
            // Moved, not copied: clearing a list still shared with the row just stored would
            // give the next row a fresh block as large as this one, and after one row of many
            // cells every later row would cost that much.
            out.rows.push_back(std::exchange(row, QStringList()));
            lineOpen = false;
        } else {
            field += c;
        }
    }
    out.tornTail = lineOpen;
    if (lineOpen) {
        row << field;
        out.tornRow = std::move(row);
    }
    return out;
}

} // namespace zanfolio
