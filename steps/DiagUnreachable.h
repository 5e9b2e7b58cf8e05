#pragma once

#include "core/DialogController.h"

// Asks before a recorder the computer cannot reach is picked: the wizard would
// change it over the LAN and then stop at the first web request.
class DiagUnreachable : public DialogController
{
    Q_OBJECT
public:
    // diagnosis: the sentence that says why, and what to do.
    DiagUnreachable(WizardContext &context, const QString &diagnosis, QObject *parent = nullptr);

    void windowWillClose() override { btCancel(); }

    void btGoOn();
    void btCancel();
    bool wentOn() const { return m_wentOn; }

    QString lbTitle() const { return text(QStringLiteral("Reach_AskTitle")); }
    QString lbDiagnosis() const { return m_diagnosis; }
    QString lbQuestion() const { return text(QStringLiteral("Reach_AskQuestion")); }
    QString btGoOnTitle() const { return text(QStringLiteral("Reach_GoOn")); }
    QString btCancelTitle() const { return text(QStringLiteral("APP_Cancel")); }

private:
    QString m_diagnosis;
    bool m_wentOn = false;
};
