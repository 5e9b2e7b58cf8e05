#pragma once

#include "steps/SetupStep.h"

// Verifies or sets the recorder's administrator password.
class Setup_PasswordView : public SetupStep
{
    Q_OBJECT
public:
    using SetupStep::SetupStep;

    QString pageKey() const override { return QStringLiteral("password"); }
    void viewDidAppear() override;

    void setDelegate(SetupStepDelegate *delegate, NvrRef device);
    QString getUserName() const { return m_userName; }
    QString getPassword() const { return m_password; }

    void setPassword(const QString &password) { m_password = password; }
    void onNextClicked();
    void onBackClicked();

private:
    NvrRef m_device;
    QString m_userName = QStringLiteral("admin");
    QString m_password;
};
