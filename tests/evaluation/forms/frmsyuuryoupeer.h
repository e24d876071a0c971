#pragma once
// What tests reach of the evaluation screen beyond keys and clicks: Timer1's tick, called by
// hand rather than after 500 ms of real time, and a second "もう一度" after the first one has
// disabled the button.

#include "evaluation/forms/frmsyuuryou.h"

namespace zanfolio {

class FrmSyuuryouTestPeer {
  public:
    static void Timer1_Timer(FrmSyuuryou& form) { form.Timer1_Timer(); }
    static void Command5_Click(FrmSyuuryou& form) { form.Command5_Click(); }
};

} // namespace zanfolio
