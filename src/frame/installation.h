#pragma once
// The installation this program runs in: its folders, found by the configuration load, and
// the school's settings read from "共通データ.txt". Members keep the names the installations'
// documentation uses.

#include "frame/untyped.h"

#include <QString>
#include <cstdint>

namespace zanfolio {

struct Installation {
    QString AppDir;            // the program's folder with a trailing separator
    QString DataRoot;          // ends with a separator
    QString ProgramFolderName; // last component of the program's folder
    QString ProgramDataDir;    // DataRoot & ProgramFolderName & separator
    QString SoundDir;          // DataRoot & "音フォルダ" & separator
    QString PendingDir;        // this computer's folder for runs not yet recorded (ends with "/")
    Untyped SchoolYearStartMonth;
    QString SchoolName;
    Untyped SchoolCode; // five characters, or empty
    Untyped ListStatus2Setting;
    Untyped TeacherPassword;
    uint32_t SeasonColour = 0; // 0x00BBGGRR
};

} // namespace zanfolio
