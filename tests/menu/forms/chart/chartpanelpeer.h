#pragma once
// What tests read of the chart panel beyond its controls: the pupil charted, the drawing with
// all its pages, and the page the surface Picture12 paints.

#include "menu/forms/chart/chartpanel.h"

#include <vector>

namespace zanfolio {

class ChartPanelTestPeer {
  public:
    static int chartPupil(const ChartPanel& panel) { return panel.chartPupil(); }
    static const ChartDrawing& drawing(const ChartPanel& panel) { return panel.drawing(); }
    static const std::vector<ChartPrimitive>& page(const ChartSurface& surface) {
        return surface.page();
    }
};

} // namespace zanfolio
