#pragma once

#include "webconfig/records/RecordField.h"
#include "webconfig/records/TPartition.h"

#include <QList>

#include <memory>

// One disk bay of the recorder.
class THddInfo
{
public:
    // Marked for formatting: set when a disk is detected, toggled by the user.
    bool checked() const { return m_checked; }
    void setChecked(bool value) { m_checked = value; }

    const QList<TPartition> &partitionInfos() const { return m_partitionInfos; }
    void setPartitionInfos(QList<TPartition> value) { m_partitionInfos = std::move(value); }

    NVR_RECORD_TEXT(storageid, setStorageid)
    NVR_RECORD_TEXT(type, setType)
    NVR_RECORD_TEXT(deviceName, setDeviceName)
    NVR_RECORD_TEXT(modelName, setModelName)
    NVR_RECORD_TEXT(product, setProduct)
    NVR_RECORD_TEXT(usedPartition, setUsedPartition)
    NVR_RECORD_TEXT(partitions, setPartitions)
    NVR_RECORD_TEXT(plug, setPlug)
    NVR_RECORD_TEXT(ready, setReady)

private:
    bool m_checked = false;
    QList<TPartition> m_partitionInfos;
};

// Disks are shared: the step toggles `checked` on the very records the command set holds.
using THddInfoList = QList<std::shared_ptr<THddInfo>>;
