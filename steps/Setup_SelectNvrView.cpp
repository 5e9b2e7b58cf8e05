#include "steps/Setup_SelectNvrView.h"

#include "core/HMLocalization.h"
#include "core/ModalHost.h"
#include "core/TextFormat.h"
#include "guide/DiagMacAddress.h"
#include "platform/Log.h"
#include "steps/DiagCheckNVRInternet.h"
#include "steps/ReachCheck.h"
#include "steps/Setup_SearchNvrView.h"
#include "util/RowAt.h"
#include "util/UtilMethod.h"

Setup_SelectNvrView::Setup_SelectNvrView(WizardContext &context)
    : context(context)
{
}

void Setup_SelectNvrView::setSearchDeviceList(const QList<TVexorReply> &list)
{
    devices = list;
    diagnoses.clear();
    for (const TVexorReply &device : devices)
        diagnoses << ReachCheck::ofRecorder(context, device);
    selected = -1;
    selectedMac.clear();
    if (!devices.isEmpty())
        selectRow(0);
}

QString Setup_SelectNvrView::rowIp(int row) const
{
    const TVexorReply *device = rowAt(devices, row);
    return device ? UtilMethod::ipToString(device->ipAddress) : QString();
}

QString Setup_SelectNvrView::rowMac(int row) const
{
    const TVexorReply *device = rowAt(devices, row);
    return device ? UtilMethod::macToString(device->macAddress) : QString();
}

QString Setup_SelectNvrView::rowDiagnosisText(int row) const
{
    const ReachDiagnosis *diagnosis = rowAt(diagnoses, row);
    return diagnosis ? ReachCheck::text(context, *diagnosis) : QString();
}

void Setup_SelectNvrView::selectRow(int row)
{
    if (!rowAt(devices, row))
        return;
    selected = row;
    selectedMac = rowMac(row);
    Log::line(QStringLiteral("===  ") + selectedMac);
}

bool Setup_SelectNvrView::getSelcetedNvr(TVexorReply &out) const
{
    if (selected < 0)
        return false;
    out = devices.at(selected);
    return true;
}

void Setup_SelectNvrView::onRescanClicked()
{
    setSearchDeviceList({});
    if (theDelegate)
        theDelegate->onRescanClicked();
}

void Setup_SelectNvrView::onMacAddresssClicked()
{
    DiagMacAddress dialog(context, selectedMac);
    context.modal.runModal(dialog);
}

void Setup_SelectNvrView::onCheckNVRInternetClicked()
{
    // The list has no retry or skip of its own: both buttons only close.
    DiagCheckNVRInternet dialog(context, nullptr);
    context.modal.runModal(dialog);
}

QString Setup_SelectNvrView::columnTitle(int column) const
{
    switch (column) {
    case 1:
        return text(QStringLiteral("NO"));
    case 2:
        return text(QStringLiteral("APP_IP Address"));
    case 3:
        return text(QStringLiteral("APP_MAC Address"));
    default:
        return QString();
    }
}

EmphasisedText Setup_SelectNvrView::lbText1() const
{
    return EmphasisedText::quotedLabel(text(QStringLiteral("SetupSearch_Text1")), text(QStringLiteral("APP_Next2")));
}

QString Setup_SelectNvrView::lbText2() const
{
    return text(QStringLiteral("SetupSearch_Text2"));
}

QString Setup_SelectNvrView::lbText3() const
{
    return text(QStringLiteral("SetupSearch_Text3"));
}

QString Setup_SelectNvrView::btRescanTitle() const
{
    return text(QStringLiteral("APP_Rescan"));
}

QString Setup_SelectNvrView::btMacAddressTitle() const
{
    return fillFormat(QStringLiteral("%@ ?"), {text(QStringLiteral("APP_MAC Address"))});
}

QString Setup_SelectNvrView::text(const QString &key) const
{
    return context.localization.localizedStringForKey(key);
}
