#pragma once
// CSV text as the spreadsheet files of the program write and read it: fields separated by
// commas, lines ended by CR LF. A field holding a comma, a double quote or a line break is
// written in double quotes, its quotes doubled. A text that a spreadsheet would take for a
// formula (one starting with =, +, -, @, a tab or a carriage return, such as a roster name
// "=cmd|' /C calc'!A0") gets a leading apostrophe, so it stays text.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace zanfolio {

// A text cell as written: quoted when needed, with the apostrophe that keeps a formula-like
// text a text.
QString csvTextField(const QString& text);

// The text an unquoted field value stands for: the guarding apostrophe of csvTextField is
// taken off again when a formula start follows it. (A text that itself begins with an
// apostrophe and a formula start does not come back; the files' texts never do.)
QString csvTextValue(const QString& value);

struct CsvRows {
    std::vector<QStringList> rows; // field values, quotes taken off, apostrophes kept
    bool tornTail = false;         // the text ended inside a line, which was left out
    QStringList tornRow;           // the fields of that line, as far as it goes
};

// Splits `text` into lines of fields. Lines end with CR LF, a lone LF or a lone CR (as an
// editor saving with the old Macintosh line ends writes them) outside quotes; a quoted field
// may hold commas, doubled quotes and line breaks. A last line without its line end is torn (a
// writer stopped half-way): it is not among the rows. Empty text: no rows. The time taken
// grows with the length of the text alone, whatever the lines hold.
CsvRows parseCsv(QStringView text);

} // namespace zanfolio
