#pragma once

#include "PlistTools.h"
#include "shortcuts/ShortcutItems.h"
#include "platform/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

// A user's folders under a temporary home, and a stand-in launcher bundle
// whose program records that it was started (its path in a ".started" file beside it).
struct ShortcutFixture
{
    QTemporaryDir dir;
    UserFolders folders;
    QString bundle;

    explicit ShortcutFixture(const QString &homeName = QStringLiteral("home"), int programBytes = 0)
    {
        const QString home = dir.filePath(homeName);
        folders.home = home;
        folders.desktop = home + QStringLiteral("/Desktop");
        folders.documents = home + QStringLiteral("/Documents");
        folders.applicationSupport = home + QStringLiteral("/Library/Application Support");
        QDir().mkpath(folders.desktop);
        bundle = dir.filePath(QStringLiteral("share/HRX260A.app"));
        QDir().mkpath(bundle + QStringLiteral("/Contents/MacOS"));
        QDir().mkpath(bundle + QStringLiteral("/Contents/Resources"));
        QFile program(bundle + QStringLiteral("/Contents/MacOS/HRX260A"));
        program.open(QIODevice::WriteOnly);
        program.write("#!/bin/sh\nprintf '%s' \"$0\" > \"$0.started\"\n");
        program.write(QByteArray(programBytes, '#'));
        program.close();
        program.setPermissions(program.permissions() | QFile::ExeOwner);
        QFile info(bundle + QStringLiteral("/Contents/Info.plist"));
        info.open(QIODevice::WriteOnly);
        info.write("<plist><dict/></plist>");
    }

    ShortcutItems items() const { return ShortcutItems(folders, bundle); }

    QString bookmarks() const { return folders.home + QStringLiteral("/Library/Safari/Bookmarks.plist"); }

    // A bookmarks file full of other entries, made by plistlib once per folder and format.
    static QString original(const QTemporaryDir &dir, const QString &format)
    {
        const QString path = dir.filePath(format + QStringLiteral(".plist"));
        if (!QFile::exists(path))
            plistcheck({QStringLiteral("bookmarks"), path, format});
        return path;
    }

    // Puts a copy of a bookmarks file at its place under home.
    bool placeBookmarks(const QString &original)
    {
        QDir().mkpath(folders.home + QStringLiteral("/Library/Safari"));
        return QFile::copy(original, bookmarks());
    }

    QString entryJson(const ShortcutTarget &target)
    {
        const QString path = dir.filePath(QStringLiteral("entry.json"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QJsonDocument::fromVariant(SafariBookmark::entry(target)).toJson());
        return path;
    }
};
