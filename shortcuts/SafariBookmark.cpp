#include "shortcuts/SafariBookmark.h"

#include "platform/DeploymentSettings.h"
#include "platform/FileLock.h"
#include "platform/ModelName.h"
#include "platform/PropertyList.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kMarker = QStringLiteral("VEXOR540");

// The bookmarks file with its bar: root "Children", element 1, "Children".
struct Bookmarks
{
    QVariantMap root;
    QVariantList bar;
    QString error;

    static Bookmarks read(const QString &path)
    {
        Bookmarks b;
        const PropertyList::Parsed parsed = PropertyList::readFile(path);
        if (!parsed.ok()) {
            b.error = QStringLiteral("the bookmarks file does not read (%1); it was left as it was").arg(parsed.error);
            return b;
        }
        b.root = parsed.value.toMap();
        const QVariantList children = b.root.value(QStringLiteral("Children")).toList();
        const QVariant barFolder = children.value(1);
        if (parsed.value.typeId() != QMetaType::QVariantMap || barFolder.typeId() != QMetaType::QVariantMap
            || barFolder.toMap().value(QStringLiteral("Children")).typeId() != QMetaType::QVariantList) {
            b.error = QStringLiteral("the bookmarks file has no bookmarks bar; it was left as it was");
            return b;
        }
        b.bar = barFolder.toMap().value(QStringLiteral("Children")).toList();
        return b;
    }

    QString write(const QString &path)
    {
        QVariantList children = root.value(QStringLiteral("Children")).toList();
        QVariantMap barFolder = children[1].toMap();
        barFolder.insert(QStringLiteral("Children"), bar);
        children[1] = barFolder;
        root.insert(QStringLiteral("Children"), children);
        return PropertyList::writeFile(path, root);
    }
};

bool hasStringWith(const QVariant &entry, const QStringList &parts)
{
    const QVariantMap map = entry.toMap();
    for (const QVariant &value : map) {
        if (value.typeId() != QMetaType::QString)
            continue;
        const QString s = value.toString();
        if (std::all_of(parts.cbegin(), parts.cend(), [&s](const QString &p) { return s.contains(p); }))
            return true;
    }
    return false;
}

} // namespace

SafariBookmark::SafariBookmark(QString home)
    : m_home(std::move(home))
{
}

QString SafariBookmark::path() const
{
    return m_home + QStringLiteral("/Library/Safari/Bookmarks.plist");
}

bool SafariBookmark::fileExists() const
{
    return QFileInfo::exists(path());
}

QVariantMap SafariBookmark::entry(const ShortcutTarget &t)
{
    const QString title
        = t.nimboraAccess ? QStringLiteral("%1(%2)").arg(ModelName::kNvr, t.nimboraNumber) : ModelName::kNvr;
    return {
        {QStringLiteral("URLString"),
            t.nimboraAccess ? QStringLiteral("https://%1/device#%2?lang=%3")
                                  .arg(t.nimboraServer, t.nimboraNumber, t.nimboraLanguage)
                            : Deployment::defaultPortalHost()},
        {QStringLiteral("WebBookmarkType"), QStringLiteral("WebBookmarkTypeLeaf")},
        {QStringLiteral("WebBookmarkUUID"),
            QStringLiteral("VEXOR540-AAAA-AAAA-AAAA-%1")
                .arg(t.nimboraAccess ? t.nimboraNumber + QStringLiteral("AAAA") : QStringLiteral("AAAAAAAAAAAA"))},
        {QStringLiteral("URIDictionary"), QVariantMap {{QStringLiteral("title"), title}}},
    };
}

ShortcutErrors SafariBookmark::change(const std::function<bool(QVariantList &bar)> &edit) const
{
    if (!fileExists())
        return {};
    // Read, changed and written back whole: one run at a time, or an entry
    // another run added in between would be lost.
    const FileLock lock(path());
    if (!lock.error().isEmpty())
        return {{path(), lock.error()}};
    Bookmarks b = Bookmarks::read(path());
    if (!b.error.isEmpty())
        return {{path(), b.error}};
    // An unchanged file is not rewritten: a rewrite only risks what it holds.
    if (!edit(b.bar))
        return {};
    if (const QString error = b.write(path()); !error.isEmpty())
        return {{path(), error}};
    return {};
}

ShortcutErrors SafariBookmark::add(const ShortcutTarget &target) const
{
    // Made again (the box ticked after a failed copy), the entry is not doubled.
    const QVariantMap ours = entry(target);
    return change([&ours](QVariantList &bar) {
        const auto sameAddress = [&ours](const QVariant &e) {
            return e.toMap().value(QStringLiteral("URLString")) == ours.value(QStringLiteral("URLString"));
        };
        const qsizetype at = std::find_if(bar.cbegin(), bar.cend(), sameAddress) - bar.cbegin();
        bar.removeIf(sameAddress);
        bar.insert(at, ours);
        return true;
    });
}

ShortcutErrors SafariBookmark::remove(const ShortcutTarget &target) const
{
    // With access the first entry naming this number; without, the last of ours.
    const QStringList parts
        = target.nimboraAccess ? QStringList {target.nimboraNumber, kMarker} : QStringList {kMarker};
    return change([&parts, &target](QVariantList &bar) {
        QVariant chosen;
        for (const QVariant &e : std::as_const(bar)) {
            if (!hasStringWith(e, parts))
                continue;
            chosen = e;
            if (target.nimboraAccess)
                break;
        }
        return chosen.isValid() && bar.removeAll(chosen) > 0;
    });
}
