#pragma once

#include <QString>

// The recorder's cloud state the shortcut items are made for, taken from its
// cloud-portal answer: with access, its device number, the active language
// and the portal host; without, fixed stand-ins.
struct ShortcutTarget
{
    bool nimboraAccess = false;
    QString nimboraNumber;
    QString nimboraLanguage;
    QString nimboraServer;

    static ShortcutTarget withAccess(const QString &number, const QString &language, const QString &server);
    // Number "12345678", language "EN", and the recorder's local link as the
    // server, or the default portal host when that is absent, empty or one blank.
    static ShortcutTarget withoutAccess(const QString &localHyperlink);
};
