#include "app/CommandLine.h"

#include <cstdio>

int runHeadlessMode(int, char *[], const char *)
{
    std::fputs("nvrwizard: headless mode not built yet\n", stderr);
    return 1;
}
