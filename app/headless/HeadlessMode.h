#pragma once

// Walks the wizard's pages with the answers in the file; returns the exit code.
int runHeadlessMode(int argc, char *argv[], const char *answersFile);
