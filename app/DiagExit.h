#pragma once

#include "core/DialogController.h"

#include <QStringList>

// Asked before the wizard leaves a recorder half set up: which steps were
// done, and whether to leave all the same. Closing it stays.
class DiagExit : public DialogController
{
    Q_OBJECT
public:
    DiagExit(WizardContext &context, QStringList stepsDone, QObject *parent = nullptr);

    void btLeave();
    void btStay() { dismiss(); }
    bool leaving() const { return m_leaving; }

    QString lbTitle() const { return text(QStringLiteral("Exit_Title")); }
    QString lbText() const { return text(QStringLiteral("Exit_Done")); }
    const QStringList &lbStepsDone() const { return m_stepsDone; }
    QString btLeaveTitle() const { return text(QStringLiteral("APP_Exit")); }
    QString btStayTitle() const { return text(QStringLiteral("APP_Cancel")); }

private:
    QStringList m_stepsDone;
    bool m_leaving = false;
};
