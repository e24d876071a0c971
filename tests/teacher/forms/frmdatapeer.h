#pragma once
// What tests reach of the records browser beyond its controls: the record numbers of the lines
// listed (rows of level 0 hidden), whether the edit panel is open, and the editor opened on a row
// no double click reaches (one past the last line).

#include "teacher/forms/frmdata.h"

namespace zanfolio {

class FrmDataTestPeer {
  public:
    static std::vector<int> listedNumbers(FrmData& form) { return form.listedNumbers(); }
    static bool editPanelVisible(const FrmData& form) { return form.editPanelVisible(); }
    static void OpenRecordEditor(FrmData& form, int row) { form.OpenRecordEditor(row); }
};

} // namespace zanfolio
