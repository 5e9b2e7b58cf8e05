#pragma once

// Sets up the recorders of a batch plan: argv holds "--batch PLAN.json" and
// the options; returns the exit code.
int runBatchMode(int argc, char *argv[]);
