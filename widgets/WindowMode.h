#pragma once

// The wizard in a window; returns the exit code.
int runWindowMode(int argc, char *argv[]);
