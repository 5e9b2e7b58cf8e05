#pragma once

#include <QString>

// Host names and pages that depend on where the wizard is deployed. Each is
// taken from its environment variable when set (the network lab points them
// at its own hosts), else from the settings file, else a built-in default.
namespace Deployment {

QString defaultPortalHost(); // NVRWIZARD_PORTAL_HOST, portal_host
QString cloudServiceHost(); // NVRWIZARD_CLOUD_HOST, cloud_host: FAQ pages
QString supportUrl(); // NVRWIZARD_SUPPORT_URL, support_url
QString readerDownloadHost(); // NVRWIZARD_READER_HOST, reader_host
QString reachabilityProbeHost(); // NVRWIZARD_PROBE_HOST, probe_host

// The settings file: NVRWIZARD_DEPLOYMENT_FILE, else the one installed under
// /etc. Lines of key=value; a missing or unreadable file means the defaults.
QString settingsFile();

} // namespace Deployment
