#pragma once
// What tests read of the criteria editor beyond its controls: the current cell, the end of the
// Shift + Down selection, the number of level rows, the changed mark, and how often the
// distribution panel was rebuilt.

#include "teacher/forms/frmtimedata.h"

namespace zanfolio {

class FrmTimeDataTestPeer {
  public:
    static int changedMark(const FrmTimeData& form) { return form.changedMark(); }
    static int levelRows(const FrmTimeData& form) { return form.levelRows(); }
    static int currentRow(const FrmTimeData& form) { return form.currentRow(); }
    static int currentColumn(const FrmTimeData& form) { return form.currentColumn(); }
    static int selectionLastRow(const FrmTimeData& form) { return form.selectionLastRow(); }
    static int distributionRuns(const FrmTimeData& form) { return form.distributionRuns(); }
    static int distributionReads(const FrmTimeData& form) { return form.distributionReads(); }
};

} // namespace zanfolio
