#pragma once
// The evaluation screen's background picture (Image1), painted by the program itself: a warm
// sky, soft balloons, a few stars and green hills, with no text, so that the labels above it
// stay readable wherever they stand.

#include <QPixmap>
#include <QSize>

namespace zanfolio {

QPixmap paintEvaluationBackground(const QSize& size);

} // namespace zanfolio
