#pragma once

#include <QString>

// What the setup steps may ask of the setup page. Every operation is
// optional: the default does nothing.
class SetupStepDelegate
{
public:
    virtual ~SetupStepDelegate() = default;

    virtual void setupSearchNvrNext() { }
    virtual void setupSearchNvrBack() { }
    virtual void setupPasswordNext(const QString &nvrPassword) { Q_UNUSED(nvrPassword); }
    virtual void setupPasswordGotoSearchCam(const QString &nvrPassword) { Q_UNUSED(nvrPassword); }
    virtual void setupPasswordBack() { }
    virtual void setupPasswordGotoSearchNvr() { }
    virtual void setupTimeZoneNext() { }
    virtual void setupTimeZoneBack() { }
    virtual void setupHddNext() { }
    virtual void setupHddBack() { }
    // The channels written are in the camera step's selected list.
    virtual void setupSearchCamNext() { }
    virtual void skipNimboraNext() { }
    virtual void setupSearchCamBack() { }
    virtual void setupNimboraNext(const QString &account) { Q_UNUSED(account); }
    virtual void setupNimboraBack() { }
};
