#pragma once

#include "app/AppDelegate.h"
#include "core/DialogController.h"
#include "core/HMLocalization.h"
#include "core/PageController.h"
#include "core/ScriptedModalHost.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

// A whole shell over language files written for the test.
struct ShellFixture
{
    QTemporaryDir langDir;
    NotificationCenter notifications;
    std::unique_ptr<HMLocalization> l10n;
    ScriptedModalHost modal;
    RecordingUrlOpener urls;
    std::unique_ptr<WizardContext> context;
    std::unique_ptr<AppDelegate> shell;

    ShellFixture()
    {
        writeLanguage(QStringLiteral("EN"), {{"APP_About", "About"}, {"Welcome", "Welcome"}});
        writeLanguage(QStringLiteral("NL_BE"), {{"APP_About", "Over"}, {"Welcome", "Welkom"}});
        l10n = std::make_unique<HMLocalization>(langDir.path());
        // Walked without a LAN: the search step never broadcasts here.
        context.reset(new WizardContext {notifications, *l10n, modal, urls, {}, false});
        shell = std::make_unique<AppDelegate>(*context);
    }

    void writeLanguage(const QString &code, std::initializer_list<std::pair<const char *, const char *>> entries)
    {
        QFile file(langDir.filePath(code + QStringLiteral(".txt")));
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write("\"HMLanguageDirection\" = \"ltr\";\n");
        for (const auto &entry : entries)
            file.write(QStringLiteral("\"%1\" = \"%2\";\n")
                           .arg(QLatin1String(entry.first), QString::fromUtf8(entry.second))
                           .toUtf8());
    }

    QString currentPage() const
    {
        PageController *page = shell->contentBox().current();
        return page ? page->pageKey() : QString();
    }

    void post(const QString &name, const QString &key, const QString &value)
    {
        notifications.post(name, nullptr, {{key, value}});
    }
};
