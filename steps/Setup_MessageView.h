#pragma once

#include <QString>

class HMLocalization;

// The waiting overlay of a setup step: an animation and a message.
class Setup_MessageView
{
public:
    explicit Setup_MessageView(const HMLocalization &localization);

    // An empty text shows the generic "Waiting" message.
    void showMessage(const QString &message);
    void hideMessage() { visible = false; }
    void showTitle(const QString &title) { lbTitle = title; }
    void setSteps(int value) { steps = value; }

    bool isVisible() const { return visible; }
    QString message() const { return lbMessage; }
    QString title() const { return lbTitle; }
    int layoutSteps() const { return steps; }

private:
    const HMLocalization &localization;
    QString lbMessage;
    QString lbTitle;
    int steps = 0;
    bool visible = false;
};
