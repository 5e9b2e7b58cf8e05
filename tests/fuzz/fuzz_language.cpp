// libFuzzer target: a language file, read by the text table as it reads the
// shipped ones. Every line either fails with a log line or stores its value.
#include "FuzzSupport.h"
#include "core/HMLocalization.h"

#include <QStringList>

NVR_FUZZ_TARGET(bytes)
{
    HMLocalization table(QStringLiteral("/nonexistent"));
    table.loadLanguage(QStringLiteral("XX"), bytes);
    FUZZ_REQUIRE(table.activeLanguage() == QStringLiteral("XX"));
    FUZZ_REQUIRE(table.languageDirection() == 1 || table.languageDirection() == 2);

    // The last entry line holds its key's text; no later line can replace it.
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QStringList pieces = line->split(QLatin1Char('"'));
        if (pieces.size() < 4 || pieces[1] == QLatin1String("HMLanguageDirection"))
            continue;
        FUZZ_REQUIRE(table.localizedStringForKey(pieces[1]) == pieces[3]);
        break;
    }
    // No key holds a double quote, so such a key comes back as it was asked.
    const QString absent = QStringLiteral("\"") + QString::fromUtf8(bytes.left(32));
    FUZZ_REQUIRE(table.localizedStringForKey(absent) == absent);
}
