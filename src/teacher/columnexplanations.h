#pragma once
// The criteria editor's column explanations (Label3 under "列の説明"), for the grid's columns
// 1 to 12: the field's long name, a line break, the teacher's hint. Line breaks are "\n".

#include <QString>

namespace zanfolio {

// Empty for the spare columns 10 to 12 and for any column outside 1..12.
QString columnExplanation(int column);

} // namespace zanfolio
