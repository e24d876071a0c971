#pragma once
// The drill's clock: the time-out of a level, the seconds counted since the run began, and the
// time bar's scale (the frame's width stands for the time-out, or for kDefaultBarSeconds when
// the level has none).

#include <QtGlobal>

namespace zanfolio {

inline constexpr int kDefaultBarSeconds = 300;

// Five times the level's 最低Time; 0 (no time-out) when that is not a positive number.
int timeoutSecondsFor(int minimumLineTime);
// Whole seconds, rounded, from the milliseconds since the run began.
int elapsedSecondsOf(qint64 sinceStartMs);
// The run times out on the tick whose seconds reach the time-out (never without one).
bool reachesTimeout(int elapsedSeconds, int timeoutSeconds);
// Pixels per second of a bar frame `frameWidth` wide.
double barScaleFor(int frameWidth, int timeoutSeconds);
// The width of a mark at `seconds`, rounded, held within the frame.
int barWidthFor(double seconds, double scale, int frameWidth);

} // namespace zanfolio
