#pragma once

#include "app/PageController.h"
#include "steps/SetupStep.h"

#include <QStringList>

class ShellDelegate;

// The last page: what was set, and Finish.
class SummaryView : public PageController
{
    Q_OBJECT
public:
    using PageController::PageController;

    QString pageKey() const override { return QStringLiteral("summary"); }
    void viewDidAppear() override;

    void setSummaryInfo(const QStringList &info) { m_summaryInfo = info; }
    void setDelegate(ShellDelegate *delegate, NvrRef device, const QString &username, const QString &password);

    const QStringList &summaryInfo() const { return m_summaryInfo; }
    NvrRef device() const { return m_selectedNvr; }

    void onFinishClicked();

private:
    ShellDelegate *theDelegate = nullptr;
    NvrRef m_selectedNvr;
    QString m_username;
    QString m_password;
    QStringList m_summaryInfo;
};
