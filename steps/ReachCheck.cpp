#include "steps/ReachCheck.h"

#include "core/HMLocalization.h"
#include "core/TextFormat.h"

namespace {

ReachDiagnosis::LinkNamer namer(const WizardContext &context)
{
    return [&context](const QString &name) {
        QString key;
        switch (context.network->linkKind(name)) {
        case LinkKind::Ethernet:
            key = QStringLiteral("Link_Ethernet");
            break;
        case LinkKind::WiFi:
            key = QStringLiteral("Link_WiFi");
            break;
        case LinkKind::Vpn:
            key = QStringLiteral("Link_Vpn");
            break;
        case LinkKind::Virtual:
            key = QStringLiteral("Link_Virtual");
            break;
        case LinkKind::Other:
            return name;
        }
        return fillFormat(context.localization.localizedStringForKey(key), {name});
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
