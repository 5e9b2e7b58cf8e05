#pragma once

#include <QString>

// The recorder's language number for its time-zone list, from the wizard's
// language code; English (4) for a language the recorder lacks.
int timeZoneLanguageNumber(const QString &wizardLanguage);
