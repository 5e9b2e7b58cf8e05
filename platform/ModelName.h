#pragma once

#include <QString>

// The one recorder model this wizard sets up, its camera channels (the most
// cameras a setup picks), and the wizard's program version.
namespace ModelName {
inline const QString kNvr = QStringLiteral("HRX-540A");
inline constexpr int kCameraChannels = 9;
inline const QString kProgramVersion = QStringLiteral("2.00.01");
} // namespace ModelName
