#include "frame/csvtext.h"

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
            row << field;
            field.clear();
        } else if (c == u'\n' || (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')) {
            if (c == u'\r')
                ++i;
            row << field;
            out.rows.push_back(row);
            row.clear();
            field.clear();
            lineOpen = false;
        } else {
            field += c;
        }
    }
    out.tornTail = lineOpen;
    return out;
}

} // namespace zanfolio
