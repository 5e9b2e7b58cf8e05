#pragma once

// Picks the mode from the arguments and runs it; returns the exit code.
int runCommandLine(int argc, char *argv[]);

// The modes, each in its own file.
int runWindowMode(int argc, char *argv[]);
int runHeadlessMode(int argc, char *argv[], const char *answersFile);
int runConfigMode(int argc, char *argv[]);
int runSearchMode(int argc, char *argv[]);
