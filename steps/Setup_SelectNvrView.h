#pragma once

#include "core/WizardContext.h"
#include "guide/EmphasisedText.h"
#include "netcheck/ReachDiagnosis.h"
#include "protocol/TVexorReply.h"

#include <QList>
#include <QString>

class Setup_SearchNvrView;

// The rows of found recorders: exactly one row is selected while there are
// rows. Also opens the MAC-address and recorder-internet help dialogs.
class Setup_SelectNvrView
{
public:
    explicit Setup_SelectNvrView(WizardContext &context);

    void setDelegate(Setup_SearchNvrView *delegate) { theDelegate = delegate; }

    void setSearchDeviceList(const QList<TVexorReply> &list);
    const QList<TVexorReply> &deviceList() const { return devices; }

    // Row texts: row number from 1, IP address, MAC address.
    QString rowNumber(int row) const { return QString::number(row + 1); }
    QString rowIp(int row) const;
    QString rowMac(int row) const;
    // Why the row's recorder cannot be reached from this computer, if it cannot.
    const ReachDiagnosis &rowDiagnosis(int row) const { return diagnoses.at(row); }
    QString rowDiagnosisText(int row) const;
    // The selected row's, shown under the list before the user goes on.
    QString selectedDiagnosisText() const { return selected < 0 ? QString() : rowDiagnosisText(selected); }

    void selectRow(int row);
    int selectedRow() const { return selected; }
    QString selectedDevicesMAC() const { return selectedMac; }
    // A copy of the selected row's record; false when the list is empty.
    bool getSelcetedNvr(TVexorReply &out) const;

    // The list's own rescan control: the rows go at once, then the step searches.
    void onRescanClicked();
    void onMacAddresssClicked();
    void onCheckNVRInternetClicked();

    // Column headers of the row number, IP and MAC columns.
    QString columnTitle(int column) const;
    // The instruction, with the Next button's name quoted and emphasised.
    EmphasisedText lbText1() const;
    QString lbText2() const;
    QString lbText3() const;
    QString btRescanTitle() const;
    // The MAC-address help control: the MAC column's name, asked.
    QString btMacAddressTitle() const;

    static constexpr const char *radioOn = "green_circle.png";
    static constexpr const char *radioOff = "white_circle2.png";

private:
    QString text(const QString &key) const;

    WizardContext &context;
    Setup_SearchNvrView *theDelegate = nullptr;
    QList<TVexorReply> devices;
    QList<ReachDiagnosis> diagnoses;
    int selected = -1;
    QString selectedMac;
};
