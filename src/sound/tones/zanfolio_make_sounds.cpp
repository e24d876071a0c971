// zanfolio-make-sounds DIR: writes the demonstration sounds and their sound list
// "新音ファイル.txt" into DIR (the "音フォルダ" of an installation).

#include "sound/tones/demosounds.h"

#include <QString>
#include <QTextStream>

int main(int argc, char** argv) {
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: zanfolio-make-sounds DIR\n"
               "Writes short demonstration wave files for every sound role and the fixed\n"
               "sounds, and the sound list 新音ファイル.txt naming them, into DIR.\n";
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const zanfolio::Status written = zanfolio::writeDemoSounds(dir);
    if (!written) {
        err << written.error().message << '\n';
        return 1;
    }
    QTextStream(stdout) << "sounds written to " << dir << '\n';
    return 0;
}
