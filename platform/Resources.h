#pragma once

#include <QString>

// Where the wizard's shipped files live: language files, images, documents and
// the launcher. NVRWIZARD_RESOURCES overrides; otherwise share/nvrwizard beside
// the executable's bin folder (the same layout in the build tree and installed).
namespace Resources {

QString dir();
QString path(const QString &relative);

// The launcher bundle the summary copies to the desktop: a program, so it
// lives in lib/nvrwizard beside the bin folder, not with the shared files.
QString launcherBundle();

} // namespace Resources
