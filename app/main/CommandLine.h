#pragma once

// Picks the mode from the arguments and runs it; returns the exit code.
int runCommandLine(int argc, char *argv[]);

// The modes that need nothing but the recorder, each in its own file.
int runConfigMode(int argc, char *argv[]);
int runSearchMode(int argc, char *argv[]);
