#pragma once

#include "app/WizardContext.h"

#include <QString>

// The message keys the password forms and the reset dialog share.
namespace PasswordMessages {

inline const QString kInvalid = QStringLiteral("SetupSetPwd Msg1");
inline const QString kEmpty = QStringLiteral("SetupSetPwd Msg");
inline const QString kMismatch = QStringLiteral("SetupSetPwd Msg2");
inline const QString kNotSet = QStringLiteral("SetupPwd Msg");

// "<APP_Error> <message>".
QString asError(const WizardContext &context, const QString &message);

} // namespace PasswordMessages
