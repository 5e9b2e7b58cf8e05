#pragma once

#include "protocol/TVexorReply.h"

#include <QList>
#include <QString>

// The rows of found recorders: exactly one row is selected while there are rows.
class Setup_SelectNvrView
{
public:
    void setSearchDeviceList(const QList<TVexorReply> &list);
    const QList<TVexorReply> &deviceList() const { return devices; }

    // Row texts: row number from 1, IP address, MAC address.
    QString rowNumber(int row) const { return QString::number(row + 1); }
    QString rowIp(int row) const;
    QString rowMac(int row) const;

    void selectRow(int row);
    int selectedRow() const { return selected; }
    QString selectedDevicesMAC() const { return selectedMac; }
    // A copy of the selected row's record; false when the list is empty.
    bool getSelcetedNvr(TVexorReply &out) const;

private:
    QList<TVexorReply> devices;
    int selected = -1;
    QString selectedMac;
};
