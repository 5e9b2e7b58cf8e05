#include "steps/SetupStep.h"

#include "core/HMLocalization.h"
#include "core/ModalHost.h"
#include "core/WizardContext.h"
#include "platform/Log.h"
#include "steps/ReachCheck.h"
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
    return ReachCheck::text(context(), m_diagnosis);
}

void SetupStep::onTryAgainClicked()
{
    if (!btTryAgainVisible())
        return;
    clearDiagnosis();
    tryAgain();
    emit changed();
}

void SetupStep::noteReached()
{
    clearDiagnosis();
    emit recorderReached();
}

void SetupStep::noteHttpFailure(const HttpError &error, const TVexorReply &recorder)
{
    // A server that answered, even with an error, was reached.
    if (!reachedNoServer(error)) {
        noteReached();
        return;
    }
    m_diagnosis = ReachCheck::ofHttpsFailure(context(), recorder);
    Log::line(QStringLiteral("%1 :: diagnosis %2").arg(pageKey(), m_diagnosis.code()));
}
