#pragma once

class LandapConfig;
struct UdpError;

// Told of the end of each LAN configuration command. Optional: the default does nothing.
class LandapConfigDelegate
{
public:
    virtual ~LandapConfigDelegate() = default;

    // Exactly once per command, never inside the call that started it.
    // error.code 5: the exchange ended normally and retCode holds the result
    // (0 accepted, 2 user name or password refused, other values refusals,
    // -1 no reply in time). Any other code: the command failed, retCode -1;
    // domain kLandapConfigErrorDomain means it was refused before anything was
    // sent (see LandapConfig.h).
    virtual void onLandapConfigEnd(LandapConfig *, int /*opCode*/, int /*retCode*/, const UdpError &) { }
};
