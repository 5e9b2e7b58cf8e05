#include "core/QtTranslations.h"

#include "core/Languages.h"
#include "platform/Log.h"

#include <QCoreApplication>
#include <QLibraryInfo>

QtTranslations::~QtTranslations()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

void QtTranslations::follow(const QString &languageCode)
{
    if (languageCode == m_code)
        return;
    m_code = languageCode;
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    m_installed
        = m_translator.load(Languages::localeOf(languageCode), QStringLiteral("qtbase"), QStringLiteral("_"), folder)
        && QCoreApplication::installTranslator(&m_translator);
    if (!m_installed)
        Log::line(QStringLiteral("no Qt translation for %1 in %2").arg(languageCode, folder));
}
