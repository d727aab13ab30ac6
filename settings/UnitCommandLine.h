#pragma once

#include <QString>
#include <QStringList>

// What a program's command line asks for. Both programs know --help and --version, written in
// the interface language; an unknown option is refused with exit code 2.
struct TCommandLine
{
    bool run = true;     // false: print output and end with exitCode
    int exitCode = 0;
    QString output;      // for standard output (exit code 0) or standard error
    QString examPath;    // the client: the exam file to open; empty for none
};

// The client: all other arguments joined by single blanks form one exam path, as a shell that
// split a path at its blanks left it; a file: URL (as desktop environments pass it) names its
// local file. arguments: without the program's name.
TCommandLine ParseClientCommandLine(const QStringList &arguments, const QString &version);

// The updater takes no arguments.
TCommandLine ParseUpdaterCommandLine(const QStringList &arguments, const QString &version);

// A program's arguments, without its name, as the system passed them.
QStringList ProgramArguments(int argc, char **argv);

// Reads the interface language from the settings, so that help and messages speak it.
void UseInterfaceLanguage();

// Prints the output of a command line that does not run the program: to standard output for
// exit code 0, else to standard error. Returns the exit code.
int ReportCommandLine(const TCommandLine &line);
