#pragma once

#include <QString>

#include <optional>

struct BatchOptions
{
    QString plan; // the plan file, "-" for standard input
    std::optional<int> jobs; // --jobs, over the plan's "jobs"
    QString csv; // where the table goes; empty for none
    bool check = false; // each run only surveys its recorder
};

// Sets up the recorders of a batch plan; returns the exit code.
int runBatchMode(int argc, char *argv[], const BatchOptions &options);
