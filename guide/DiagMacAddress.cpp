#include "guide/DiagMacAddress.h"

#include "core/TextFormat.h"
#include "platform/Log.h"
#include "platform/ModelName.h"

#include <QStringList>

DiagMacAddress::DiagMacAddress(WizardContext &context, const QString &selectedDevicesMAC, QObject *parent)
    : DialogController(context, parent)
    , m_selectedDevicesMAC(selectedDevicesMAC)
{
    const QString address = displayedAddress(selectedDevicesMAC);
    Log::line(QStringLiteral("<<<") + address);
    m_lbMAC = fillFormat(QStringLiteral("  MAC:%@"), {address});
}

QString DiagMacAddress::displayedAddress(const QString &selectedDevicesMAC)
{
    static const QString unknown = QStringLiteral("xxxxxxxxxxxx");
    if (selectedDevicesMAC.isEmpty() || selectedDevicesMAC == QLatin1String(" "))
        return unknown;
    const QStringList parts = selectedDevicesMAC.split(QLatin1Char(':'));
    // Fewer than six parts is not an address the label could show.
    if (parts.size() < 6)
        return unknown;
    return parts.mid(0, 6).join(QString()).toUpper();
}

void DiagMacAddress::onCloseClicked()
{
    dismiss();
}

QString DiagMacAddress::lbText1() const
{
    return fillFormat(text(QStringLiteral("SetupSearch_Diag_Text1")), {ModelName::kNvr});
}

QString DiagMacAddress::lbDeviceType() const
{
    return ModelName::kNvr;
}

QString DiagMacAddress::btCloseTitle() const
{
    return text(QStringLiteral("Button Close"));
}
