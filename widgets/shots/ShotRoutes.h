#pragma once

class Setup_NimboraView;
class Setup_PasswordView;
class Setup_TimeZoneView;
class ShotWorld;

// The longest a --lan screen waits for the simulated recorder at one point.
constexpr int kLongestWaitMs = 60000;

// In the window, as a person gets there: the search ends, the first recorder
// is picked and Next leads to the password step, which asks the recorder
// whether it is still in its factory state. Nullptr when no recorder answered.
Setup_PasswordView *enterPasswordStep(ShotWorld &world);

// On from enterPasswordStep(): the first recorder found gets its password (a
// new one) or is given it (one an earlier screen set), and the time zone step
// reads it. Nullptr when the recorder did
// not lead there.
Setup_TimeZoneView *enterTimeZoneStep(ShotWorld &world);

// On from enterTimeZoneStep(): the camera step (not pictured) hands over to
// the cloud step, which reads the recorder's cloud state. Nullptr when its
// form did not come.
Setup_NimboraView *enterNimboraStep(ShotWorld &world);
