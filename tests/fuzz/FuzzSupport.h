#pragma once

#include "platform/Log.h"

#include <QByteArray>

#include <cstdint>
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

// The libFuzzer entry point; the body that follows takes each input as
// `bytes` (not copied). Millions of inputs must not each leave lines in the
// system log.
#define NVR_FUZZ_TARGET(bytes)                                                                                         \
    static void fuzzInput(const QByteArray &bytes);                                                                    \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)                                            \
    {                                                                                                                  \
        [[maybe_unused]] static const bool quiet = (Log::setSystemLog(false), true);                                   \
        fuzzInput(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));                     \
        return 0;                                                                                                      \
    }                                                                                                                  \
    static void fuzzInput(const QByteArray &bytes)
