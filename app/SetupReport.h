#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

struct TVexorReply;

class HMLocalization;

// The recorder's connection type as the summary page and the report show it:
// "DHCP", the same in every language, or a static address in the user's.
QString connectionTypeText(bool dhcp, const HMLocalization &l10n);

// What the setup report tells the customer about a run. It never holds a
// password: only what the installer may hand over on paper.
struct SetupReport
{
    struct Disk
    {
        int bay = 0;
        QString product;
        QString size;
        bool formatted = false; // formatted in this run
    };
    struct Camera
    {
        int channel = 0; // from 1
        QString model;
        QString ip;
        QString mac;
    };

    QString model;
    QString mac;
    QString ip;
    QString firmware;
    bool dhcp = false;
    QString administrator;
    QString timeZone;
    QList<Disk> disks;
    QList<Camera> cameras;
    QString deviceNumber;
    QString email;
    bool registered = false;
    QDateTime date;
    QString version;

    // The recorder's own fields, as texts safe to print.
    void setRecorder(const TVexorReply &nvr);
    // "HRX-540A-report-MAC-DATE.pdf", the MAC with dashes so any file system takes it.
    QString fileName() const;
    // The file to write for a path the user gave: a folder (one that exists,
    // or a path ending in "/") takes the report under fileName().
    QString pathFor(const QString &fileOrFolder) const;
    static bool namesFolder(const QString &path);
    // Why no report could be written at that path (its folder is missing or
    // refuses a file, or the file is there and cannot be replaced); empty
    // when one can be.
    static QString placeError(const QString &fileOrFolder);
};
