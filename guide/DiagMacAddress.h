#pragma once

#include "core/DialogController.h"

// Shows the MAC address of the recorder selected in the search list, to match
// it with the label on the device.
class DiagMacAddress : public DialogController
{
    Q_OBJECT
public:
    // selectedDevicesMAC as the search list knows it, bytes joined by ":";
    // empty when no recorder is selected.
    DiagMacAddress(WizardContext &context, const QString &selectedDevicesMAC, QObject *parent = nullptr);

    void onCloseClicked();

    QString selectedDevicesMAC() const { return m_selectedDevicesMAC; }
    QString lbText1() const;
    QString lbDeviceType() const;
    QString lbMAC() const { return m_lbMAC; }
    QString btCloseTitle() const;

    // Twelve upper-case hexadecimal digits without separators, or twelve x
    // when no usable address is known.
    static QString displayedAddress(const QString &selectedDevicesMAC);

private:
    QString m_selectedDevicesMAC;
    QString m_lbMAC;
};
