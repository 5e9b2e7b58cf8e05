#include "steps/SetupStep.h"

#include "core/HMLocalization.h"
#include "core/ModalHost.h"
#include "core/TextFormat.h"
#include "core/WizardContext.h"
#include "platform/Log.h"
#include "webconfig/HttpError.h"
#include "webconfig/HttpStatusErrors.h"

void RecorderStep::setDelegate(SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password)
{
    theDelegate = delegate;
    m_device = std::move(device);
    m_user = user;
    m_password = password;
    // Entered afresh: an earlier visit's failure no longer says anything.
    clearDiagnosis();
}

void SetupStep::showAlert(const QString &key)
{
    context().modal.runAlert(text(key), text(QStringLiteral("Button Close")));
}

QString SetupStep::diagnosisText() const
{
    return m_diagnosis ? fillFormat(text(m_diagnosis.textKey()), m_diagnosis.args) : QString();
}

void SetupStep::noteHttpFailure(const HttpError &error, const TVexorReply &recorder)
{
    if (!reachedNoServer(error))
        return;
    m_diagnosis = ReachDiagnosis::ofHttpsFailure(recorder, systemIpv4Interfaces());
    Log::line(QStringLiteral("%1 :: diagnosis %2").arg(pageKey(), m_diagnosis.code()));
}
