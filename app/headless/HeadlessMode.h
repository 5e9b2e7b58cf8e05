#pragma once

// Walks the wizard's pages with the answers in the file; returns the exit
// code. A survey only reads and reports what a real run would change.
int runHeadlessMode(int argc, char *argv[], const char *answersFile, bool survey = false);
