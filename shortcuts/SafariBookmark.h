#pragma once

#include "shortcuts/ShortcutError.h"
#include "shortcuts/ShortcutTarget.h"

#include <QVariantMap>

#include <functional>

// The recorder's entry on the bookmarks bar of the Safari bookmarks file,
// recognised later by "VEXOR540" in its identifier. A missing file is left
// missing; a file that does not read is left untouched and reported.
class SafariBookmark
{
public:
    explicit SafariBookmark(QString home);

    QString path() const;
    bool fileExists() const;

    static QVariantMap entry(const ShortcutTarget &target);

    // Puts the entry last on the bar, or in the place of one of the same address.
    ShortcutErrors add(const ShortcutTarget &target) const;
    ShortcutErrors remove(const ShortcutTarget &target) const;

private:
    // Reads the file under its lock, lets edit change the bar, and writes it
    // back when edit says it changed.
    ShortcutErrors change(const std::function<bool(QVariantList &bar)> &edit) const;

    QString m_home;
};
