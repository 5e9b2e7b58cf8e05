#pragma once

#include <QString>

// What the recorder accepts as an administrator password, as the forms check it.
namespace PasswordRules {

// ASCII except digits and letters; characters above 127 are not special.
bool isSpecial(QChar c);
bool hasSpecial(const QString &text);
bool hasSpace(const QString &text);
// Lengths count UTF-16 code units.
bool lengthWithin(const QString &text, int min, int max);
// A LAN command carries a password as Base64 in a 64-byte slot: at most 48
// UTF-8 bytes fit.
bool fitsLanSlot(const QString &text);

} // namespace PasswordRules
