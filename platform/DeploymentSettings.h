#pragma once

#include <QString>

// Host names and pages that depend on where the wizard is deployed. Each can
// be overridden by an environment variable so the network lab can point it at
// one of its own hosts.
namespace Deployment {

QString defaultPortalHost(); // NVRWIZARD_PORTAL_HOST
QString cloudServiceHost(); // NVRWIZARD_CLOUD_HOST: FAQ pages
QString supportUrl(); // NVRWIZARD_SUPPORT_URL
QString readerDownloadHost(); // NVRWIZARD_READER_HOST
QString reachabilityProbeHost(); // NVRWIZARD_PROBE_HOST

} // namespace Deployment
