#pragma once
// What tests reach of the drill form beyond keys and clicks: the timers' handlers, ticked by
// hand after the fake clock has moved (a real tick would wait for real time), and the handler
// of "確認", pressed while the button is hidden.

#include "drill/forms/mainfrm.h"

namespace zanfolio {

class MainFrmTestPeer {
  public:
    static void sTimer1_Timer(MainFrm& form) { form.sTimer1_Timer(); }
    static void sTimer2_Timer(MainFrm& form) { form.sTimer2_Timer(); }
    static void Timer1_Timer(MainFrm& form) { form.Timer1_Timer(); }
    static void Commandkakunin_Click(MainFrm& form) { form.Commandkakunin_Click(); }
};

} // namespace zanfolio
