#include "steps/ReachCheck.h"

#include "core/HMLocalization.h"
#include "core/TextFormat.h"

namespace {

// The text key that names a kind of link; none for a link people have no name for.
const char *linkKey(LinkKind kind)
{
    switch (kind) {
    case LinkKind::Ethernet:
        return "Link_Ethernet";
    case LinkKind::WiFi:
        return "Link_WiFi";
    case LinkKind::Vpn:
        return "Link_Vpn";
    case LinkKind::Virtual:
        return "Link_Virtual";
    case LinkKind::Other:
        break;
    }
    return nullptr;
}

ReachDiagnosis::LinkNamer namer(const WizardContext &context)
{
    return [&context](const QString &name) {
        const char *key = linkKey(context.network->linkKind(name));
        return key ? fillFormat(context.localization.localizedStringForKey(QLatin1String(key)), {name}) : name;
    };
}

} // namespace

namespace ReachCheck {

ReachDiagnosis ofRecorder(const WizardContext &context, const TVexorReply &recorder)
{
    return ReachDiagnosis::ofRecorder(recorder, *context.network, namer(context));
}

ReachDiagnosis ofNoAnswer(const WizardContext &context)
{
    return ReachDiagnosis::ofNoAnswer(*context.network, namer(context));
}

ReachDiagnosis ofHttpsFailure(const WizardContext &context, const TVexorReply &recorder)
{
    return ReachDiagnosis::ofHttpsFailure(recorder, *context.network, namer(context));
}

QString text(const WizardContext &context, const ReachDiagnosis &diagnosis)
{
    return diagnosis ? fillFormat(context.localization.localizedStringForKey(diagnosis.textKey()), diagnosis.args)
                     : QString();
}

} // namespace ReachCheck
