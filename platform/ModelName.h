#pragma once

#include <QString>

// The one recorder model this wizard sets up, and its program version.
namespace ModelName {
inline const QString kNvr = QStringLiteral("HRX-540A");
inline const QString kProgramVersion = QStringLiteral("2.00.01");
} // namespace ModelName
