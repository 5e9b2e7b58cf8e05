#include "app/CommandLine.h"

#include <cstdio>

// The windowed wizard is being built; until then the headless mode runs the flow.
int runWindowMode(int, char *[])
{
    std::fputs("nvrwizard: the window is not available in this build; use --headless\n", stderr);
    return 1;
}
