#pragma once

#include <QString>

// Where the wizard's shipped files live: language files, images, documents and
// the launcher. NVRWIZARD_RESOURCES overrides; otherwise share/nvrwizard beside
// the executable's bin folder (the same layout in the build tree and installed).
namespace Resources {

QString dir();
QString path(const QString &relative);

} // namespace Resources
