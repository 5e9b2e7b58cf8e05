#pragma once

#include "app/SetupReport.h"

#include <QStringList>

// What a setup leaves for the last page, made once by the setup page: the
// shell's list, the page's fields and the report all come from it.
struct SetupSummary
{
    // Null when no password step set one.
    QString nvrPassword;
    // Empty when the cloud step was skipped or left none (a recorder
    // registered before has an e-mail and no password here).
    QString cloudEmail;
    QString cloudPassword;
    // The administrator, the time zone, the disks and the cameras by channel.
    SetupReport facts;

    // "none" where the list holds nothing.
    static inline const QString kNone = QStringLiteral("none");
    // 0 recorder password, 1 cloud e-mail, 2 cloud password, 3 to 11 the
    // cameras' models by channel. Without a recorder password it is empty.
    QStringList infoList() const;
    // Items 0 and 2 of the list are passwords, never logged or printed.
    static bool isSecretItem(int index) { return index == 0 || index == 2; }
    // The cameras' models in channel order.
    QStringList cameraModels() const;
};
