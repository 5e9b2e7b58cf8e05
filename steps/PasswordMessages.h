#pragma once

#include "core/WizardContext.h"

#include <QString>

// The message keys the password forms and the reset dialog share.
namespace PasswordMessages {

// Refused by the recorder, or too long for a LAN command.
inline const QString kInvalid = QStringLiteral("SetupSetPwd Msg1");
inline const QString kEmpty = QStringLiteral("SetupSetPwd Msg");
inline const QString kMismatch = QStringLiteral("SetupSetPwd Msg2");
inline const QString kNotSet = QStringLiteral("SetupPwd Msg");
// The rule a typed password breaks.
inline const QString kEmptyOne = QStringLiteral("SetupSetPwd MsgEmpty");
inline const QString kCharacters = QStringLiteral("SetupSetPwd MsgChars");
inline const QString kLength = QStringLiteral("SetupSetPwd MsgLength");

// "<APP_Error> <message>".
QString asError(const WizardContext &context, const QString &message);

// The message of the first rule the password breaks, in the forms' order
// (characters before length, or length first); empty when it keeps them all.
enum class Order { CharactersFirst, LengthFirst };
QString ruleBroken(const WizardContext &context, const QString &password, int minLength, Order order);

} // namespace PasswordMessages
