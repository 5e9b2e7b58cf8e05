#pragma once

#include <QString>

// Picks the mode from the arguments and runs it; returns the exit code.
int runCommandLine(int argc, char *argv[]);

// What --config takes from the command line, checked by the mode itself.
struct ConfigArguments
{
    QString code;
    QString nvr;
    QString user;
    QString passwordFile;
    QString lang;
};

// The modes that need nothing but the recorder, each in its own file.
int runConfigMode(int argc, char *argv[], const ConfigArguments &arguments);
int runSearchMode(int argc, char *argv[]);
