#include "steps/PasswordMessages.h"

#include "app/HMLocalization.h"

QString PasswordMessages::asError(const WizardContext &context, const QString &message)
{
    return QStringLiteral("%1 %2").arg(
        context.localization.localizedStringForKey(QStringLiteral("APP_Error")), message);
}
