#pragma once

#include <QString>
#include <QStringList>

// An item of summaryInfo that holds nothing.
inline const QString kSummaryNone = QStringLiteral("none");

// What the top-level pages may ask of the application shell. Every operation
// is optional: the default does nothing.
class ShellDelegate
{
public:
    virtual ~ShellDelegate() = default;

    virtual void showWelcomeView() { }
    virtual void showInstallView() { }
    virtual void showSetupView() { }
    virtual void showSummaryView(const QStringList &summaryInfo) { Q_UNUSED(summaryInfo); }
    virtual void switchLanguage(const QString &code) { Q_UNUSED(code); }
    virtual void finishWizard() { }
};
