#pragma once

#include <QList>
#include <QString>

// A shortcut item that could not be made or removed: the file concerned and
// why, in words a person can act on.
struct ShortcutError
{
    QString path;
    QString reason;
};

using ShortcutErrors = QList<ShortcutError>;
