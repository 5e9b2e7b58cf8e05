#include "steps/PasswordMessages.h"

#include "core/HMLocalization.h"
#include "core/TextFormat.h"
#include "steps/PasswordRules.h"

namespace {
constexpr int kMaxLength = 31;
} // namespace

QString PasswordMessages::asError(const WizardContext &context, const QString &message)
{
    return QStringLiteral("%1 %2").arg(
        context.localization.localizedStringForKey(QStringLiteral("APP_Error")), message);
}

QString PasswordMessages::ruleBroken(const WizardContext &context, const QString &password, int minLength, Order order)
{
    using namespace PasswordRules;
    const auto text = [&context](const QString &key) { return context.localization.localizedStringForKey(key); };
    const bool characters = hasSpecial(password) || hasSpace(password);
    const bool length = !lengthWithin(password, minLength, kMaxLength);
    const QString lengthRule = fillFormat(text(kLength), {QString::number(minLength), QString::number(kMaxLength)});
    if (order == Order::LengthFirst && length)
        return lengthRule;
    if (characters)
        return text(kCharacters);
    if (length)
        return lengthRule;
    // Only letters above 127 take more than one byte each: the LAN command's
    // slot is the limit here, not a rule the user could be told in advance.
    return fitsLanSlot(password) ? QString() : text(kInvalid);
}
