#pragma once

// Every wait and interval of the wizard, in milliseconds, in one place.
// Tests shorten them with setDurations() in-process, or for child processes
// with NVRWIZARD_TIME_SCALE (a factor such as 0.05), which the simulator
// honours too.
struct Durations
{
    int lanReplyMs = 6000; // each LAN exchange waits this long for a reply
    int httpGetTimeoutMs = 30000; // no-progress limit of a recorder GET
    int httpPostTimeoutMs = 60000; // no-progress limit of a portal POST
    int formatPollMs = 1000; // disk format progress polling
    int countdownTickMs = 1000; // countdowns of the setup steps
    int chainedDialogMs = 200; // one dialog opening the next
    int formatDialogMs = 100; // the disk step's pause before it asks to format
    int hddRefreshMs = 1000; // the disk step asks for its bays at most once this often
    int cameraCheckMs = 6000; // every camera request: password checks and image fetches
    int previewRefreshMs = 1000; // how often the camera preview asks for a new image
    int reachabilityRecheckMs = 5000; // how often a running reachability monitor looks again
    int cloudQueryDelayMs = 1000; // the cloud step's pause before each question to the recorder

    Durations scaled(double factor) const;
};

const Durations &durations();
void setDurations(const Durations &d);

// The factor read from NVRWIZARD_TIME_SCALE (1.0 when unset or invalid).
double timeScaleFromEnvironment();
