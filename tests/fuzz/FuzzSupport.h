#pragma once

#include "platform/Log.h"

#include <cstdio>
#include <cstdlib>

// A promise of the code under test. Breaking it is a finding like a crash:
// the fuzzer keeps the input, the replay test fails on it.
#define FUZZ_REQUIRE(promise)                                                                                          \
    do {                                                                                                               \
        if (!(promise)) {                                                                                              \
            std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #promise);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// Millions of inputs must not each leave lines in the system log.
inline void keepLogsQuiet()
{
    static const bool once = [] {
        Log::setSystemLog(false);
        return true;
    }();
    (void)once;
}
