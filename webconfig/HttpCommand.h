#pragma once

// Codes of the recorder's configuration commands and the cloud portal calls,
// reported with every completion.
namespace HttpCmd {
enum : int {
    SetRegistStatus = 1,
    GetHddInfo = 2,
    FormatHdd = 3,
    FormatPoll = 4,
    GetNimboraInfo = 5,
    GetNimboraRegInfo = 6,
    SetNimboraAccount = 7,
    CameraDiscovery = 8,
    AddCamera = 9,
    DelCamera = 10,
    NimboraSignin = 11,
    NimboraAdd = 12,
    NimboraNewAccount = 13,
    ResetNVR = 14,
    GetDateInformation = 17,
    SetDateInformation = 18,
    GetTimeZoneListInformation = 19,
    StartRecording = 20,
};

// The calls that go to the cloud portal; every other command goes to the recorder.
inline bool isPortalCall(int cmd)
{
    return cmd == NimboraSignin || cmd == NimboraAdd || cmd == NimboraNewAccount;
}
} // namespace HttpCmd
