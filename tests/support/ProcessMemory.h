#pragma once

#include <QtGlobal>

// This process's memory as the kernel counts it, in KiB (0 when unknown).
namespace ProcessMemory {
// Resident now (VmRSS).
qint64 residentKiB();
// The resident peak since the process started or the last resetPeak (VmHWM).
qint64 peakKiB();
// Starts counting the peak afresh from what is resident now.
void resetPeak();
} // namespace ProcessMemory
