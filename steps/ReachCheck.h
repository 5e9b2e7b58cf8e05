#pragma once

#include "core/WizardContext.h"
#include "netcheck/ReachDiagnosis.h"

// The reach diagnosis as the steps ask for it: the computer's network from
// the context, links named in the active language, and the one text.
namespace ReachCheck {

ReachDiagnosis ofRecorder(const WizardContext &context, const TVexorReply &recorder);
ReachDiagnosis ofNoAnswer(const WizardContext &context);
ReachDiagnosis ofHttpsFailure(const WizardContext &context, const TVexorReply &recorder);
// The sentence the window shows and the headless run prints; empty for none.
QString text(const WizardContext &context, const ReachDiagnosis &diagnosis);

} // namespace ReachCheck
