#include "steps/Setup_SelectNvrView.h"

#include "platform/Log.h"
#include "util/UtilMethod.h"

void Setup_SelectNvrView::setSearchDeviceList(const QList<TVexorReply> &list)
{
    devices = list;
    selected = -1;
    selectedMac.clear();
    if (!devices.isEmpty())
        selectRow(0);
}

QString Setup_SelectNvrView::rowIp(int row) const
{
    return UtilMethod::ipToString(devices.at(row).ipAddress);
}

QString Setup_SelectNvrView::rowMac(int row) const
{
    return UtilMethod::macToString(devices.at(row).macAddress);
}

void Setup_SelectNvrView::selectRow(int row)
{
    if (row < 0 || row >= devices.size())
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
