#include "steps/PasswordRules.h"

namespace PasswordRules {

namespace {
constexpr int kLanSlotUtf8Bytes = 48;
} // namespace

bool isSpecial(QChar c)
{
    const ushort v = c.unicode();
    return v <= 47 || (v >= 58 && v <= 64) || (v >= 91 && v <= 96) || (v >= 123 && v <= 127);
}

bool hasSpecial(const QString &text)
{
    for (const QChar c : text) {
        if (isSpecial(c))
            return true;
    }
    return false;
}

bool hasSpace(const QString &text)
{
    return text.contains(QLatin1Char(' '));
}

bool lengthWithin(const QString &text, int min, int max)
{
    return text.size() >= min && text.size() <= max;
}

bool fitsLanSlot(const QString &text)
{
    return text.toUtf8().size() <= kLanSlotUtf8Bytes;
}

} // namespace PasswordRules
