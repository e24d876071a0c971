#pragma once
// "新名簿.txt", the roster: one pupil per line, eight items, in code page 932. Nothing in the
// program writes it; the name list, the records browser and the chart read it.
//
//   1 Index        pupil number 0..5000, the key of every per-pupil table
//   2 BirthYear    four-digit school year of birth
//   3 SpareNumber1 kept, no other use
//   4 SpareNumber2 kept, no other use
//   5 Name         kept as a 20-character field (cut, or padded with spaces)
//   6 Status       0 listed; 2 listed when ListStatus2Setting is 1; anything else not listed
//   7 SpareText1   20-character field
//   8 SpareText2   20-character field
//
// Read line by line: a line holds its eight items (quotes protect commas, and a quoted item
// ends with its line), and a line with an item too few or too many, or whose pupil number is
// not a number, is left out and named by its own line number, so that it never shifts the
// lines after it. An empty or non-numeric item read into another number is 0; a fractional
// number is rounded half to even, as the 16-bit integer fields took it.

#include "frame/result.h"
#include "roster/rostertables.h"

#include <QString>
#include <vector>

namespace zanfolio {

inline constexpr int kRosterFieldWidth = 20;

struct RosterFileContents {
    std::vector<RosterRecord> lines; // file order, text fields as 20-character fields
    // Lines left out: not eight items, a pupil number that is not a number or lies outside
    // 0..5000, another number outside the 16-bit range.
    int skippedLines = 0;
    std::vector<int> skippedLineNumbers; // where each left-out pupil starts, from line 1
    std::vector<int> lineNumbers;        // where each of `lines` starts, from line 1
};

// The text cut to 20 characters or padded with spaces to 20.
QString rosterField(const QString& text);
// Without leading and trailing ordinary spaces; ideographic spaces stay (the displays' Trim).
QString trimSpaces(const QString& text);

RosterFileContents parseRoster(const QString& text);
// Reads and parses the file once; a missing or unreadable file gives the file layer's error.
Result<RosterFileContents> readRosterFile(const QString& path);

// The teacher's message about roster lines left out of the lists: the file, the first ten
// line numbers and how many more; empty when no line was left out.
QString skippedRosterLinesMessage(const QString& path, const std::vector<int>& lineNumbers);

} // namespace zanfolio
