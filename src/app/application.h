#pragma once

#include <QString>
#include <QStringList>

class QIcon;

namespace pf {

// The program's icon, drawn at the usual sizes.
QIcon AppIcon();

// The folder with the demonstration portfolios: beside the program in the build tree,
// share/portfolaris when installed.
QString DemoFolder();

// Loads Qt's German texts (standard buttons, file and print dialogs) and sets the German
// locale. Needs a QApplication.
void UseGermanTexts();

// What the command line asks for.
struct CommandLine {
    QStringList files;     // opened after start, as the desktop's "open" hands them over
    QString settingsFile;  // --settings FILE: a profile of its own instead of the user's
    bool help = false;
};
// Reads the arguments after the program name; an unknown option yields `error`.
CommandLine ParseCommandLine(const QStringList& arguments, QString& error);

// Start-up, message loop and shutdown of the desktop program.
int RunPortfolaris(int argc, char** argv);

}  // namespace pf
