#pragma once

#include "core/HMLocalization.h"
#include "core/ScriptedModalHost.h"
#include "core/WizardContext.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

struct StepsFixture
{
    using Entries = std::vector<std::pair<QString, QString>>;

    QTemporaryDir langDir;
    NotificationCenter notifications;
    std::unique_ptr<HMLocalization> l10n;
    ScriptedModalHost modal;
    RecordingUrlOpener urls;
    std::unique_ptr<WizardContext> context;

    // searchesLan false: walked without a LAN, the search step never broadcasts.
    explicit StepsFixture(const Entries &extra = {}, bool searchesLan = true)
    {
        Entries entries = {{"APP_Error", "Error:"}, {"SetupSetPwd Msg", "Enter the password twice."},
            {"SetupSetPwd Msg1", "Invalid password."}, {"SetupSetPwd Msg2", "The passwords differ."},
            {"SetupSetPwd MsgEmpty", "Enter the password."}, {"SetupSetPwd MsgChars", "Letters and digits only."},
            {"SetupSetPwd MsgLength", "Use %@ to %@ characters."}, {"SetupPwd Msg", "The password was not set."},
            {"SetupSetPwd ResetNVR", "Restarting, %@ seconds left."}, {"Check network Failed", "Check network Failed"},
            {"Button Close", "Close"}, {"Waiting", "Please wait"}};
        entries.insert(entries.end(), extra.begin(), extra.end());
        writeLanguage(QStringLiteral("EN"), entries);
        l10n = std::make_unique<HMLocalization>(langDir.path());
        l10n->setLanguage(QStringLiteral("EN"));
        context.reset(new WizardContext {notifications, *l10n, modal, urls, {}, searchesLan});
    }

    void writeLanguage(const QString &code, const Entries &entries)
    {
        QFile file(langDir.filePath(code + QStringLiteral(".txt")));
        if (!file.open(QIODevice::WriteOnly))
            return;
        for (const auto &[key, value] : entries)
            file.write(QStringLiteral("\"%1\" = \"%2\";\n").arg(key, value).toUtf8());
    }

    QString text(const QString &key) const { return l10n->localizedStringForKey(key); }
};
