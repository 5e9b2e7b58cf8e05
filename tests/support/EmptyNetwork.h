#pragma once

#include <QString>

// Some failures need a computer without any network: the test binary runs one
// of its own test functions again in a fresh, empty network namespace
// (`unshare -n`, root only, as inside the lab), where every send fails.
namespace EmptyNetwork {

// True in the copy that runs inside the empty namespace.
bool inside();
// Runs testFunction of this test binary in an empty namespace; true when it
// passed, otherwise false with its output.
bool run(const QString &testFunction, QString *output);
// Outside the namespace: runs the calling test function again inside it,
// failing the test with its output if that fails, and returns true.
bool rerunCurrentTest();

} // namespace EmptyNetwork
