#pragma once

#include <QString>

class HMLocalization;
struct SetupReport;

// Writes the report as a PDF in the active language, replacing the file at
// path only once the whole document is written. Qt Gui alone: it needs a
// QGuiApplication, not widgets. False with the reason when it could not.
bool writeReportPdf(const SetupReport &report, const HMLocalization &l10n, const QString &path, QString *error);
