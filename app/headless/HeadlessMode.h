#pragma once

#include <QString>

// Walks the wizard's pages with the answers in the file ("-": standard
// input); check: only surveys the recorder. Returns the exit code.
int runHeadlessMode(int argc, char *argv[], const QString &answersFile, bool check);
