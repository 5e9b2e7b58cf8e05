#pragma once

// Quits the application's event loop on SIGTERM or SIGINT, so the simulator
// ends through main() (files closed, sanitizer reports run) when a test stops it.
void stopEventLoopOnSignal();
