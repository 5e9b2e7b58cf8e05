#pragma once

#include "app/AppDelegate.h"
#include "core/PageController.h"
#include "tests/steps/StepsFixture.h"

#include <memory>

// A whole shell over language files written for the test.
struct ShellFixture : StepsFixture
{
    std::unique_ptr<AppDelegate> shell;

    ShellFixture()
        : StepsFixture({{"APP_About", "About"}, {"Welcome", "Welcome"}}, false)
    {
        writeLanguage(QStringLiteral("NL_BE"), {{"APP_About", "Over"}, {"Welcome", "Welkom"}});
        shell = std::make_unique<AppDelegate>(*context);
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
