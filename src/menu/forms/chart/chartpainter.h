#pragma once
// Paints the chart's primitives (chartmodel.h) on any QPainter: the chart surface, a QImage,
// or a QPrinter page. Positions are already in the device's units (the model was built with
// the device's width and height); only pen widths and fonts need a device rule:
//   - screen: a pen unit is one pixel of the surface (device-independent pixels at 96 dpi,
//     so width 5 is a 5-pixel dot and 2 a hairline-ish rule, as on the classroom screens);
//   - paper: a pen unit is one printer dot at 600 dpi, so the 30 of the points and axes is
//     1.27 mm and the 3 of the best-time lines 0.13 mm, the look of a sheet from the laser
//     printers the schools used. The painter scales by the device's own resolution.
// Texts use the program's Japanese font at the primitive's point size, placed by their
// top-left corner. Points are filled discs of the pen width, in the primitive's colour.

#include "menu/chartmodel.h"

#include <QColor>
#include <functional>
#include <vector>

class QPainter;

namespace zanfolio {

// 0x00BBGGRR as a colour.
QColor chartColour(uint32_t bbggrr);

// Paints `primitives` (page breaks call `newPage`, and painting stops when it returns false;
// an empty `newPage` paints over the same page). `dpi` is the device's resolution.
void paintChart(QPainter& painter, const std::vector<ChartPrimitive>& primitives,
                ChartTarget target, double dpi, const std::function<bool()>& newPage = {});

} // namespace zanfolio
