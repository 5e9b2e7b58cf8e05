#include "core/HMLocalization.h"

#include "core/TextFormat.h"
#include "platform/Log.h"
#include "platform/Resources.h"

#include <QFile>

namespace {

const QString kDirectionKey = QStringLiteral("HMLanguageDirection");

void logBadLine(const QString &code, const QString &why)
{
    Log::line(QStringLiteral("HMLocalization: Encountered incorrect format while reading %1 localization file: %2")
                  .arg(code, why));
}

} // namespace

HMLocalization::HMLocalization(QString languageFolder)
    : m_languageFolder(std::move(languageFolder))
{
}

HMLocalization &HMLocalization::sharedInstance()
{
    static HMLocalization instance(Resources::path(QStringLiteral("lang")));
    return instance;
}

void HMLocalization::setLanguage(const QString &code)
{
    QByteArray bytes;
    QFile file(m_languageFolder + QLatin1Char('/') + code.toUpper() + QStringLiteral(".txt"));
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    loadLanguage(code, bytes);
}

void HMLocalization::loadLanguage(const QString &code, const QByteArray &fileBytes)
{
    m_activeLanguage = code;

    // Done once here rather than wherever a label wraps.
    const bool japanese = code.compare(QLatin1String("JP"), Qt::CaseInsensitive) == 0;
    const QString text = QString::fromUtf8(fileBytes);
    QHash<QString, QString> strings;
    const QStringList lines = text.isNull() ? QStringList() : text.split(QLatin1Char('\n'));
    int lineNumber = 0;
    for (const QString &line : lines) {
        ++lineNumber;
        const QStringList pieces = line.split(QLatin1Char('"'));
        if (pieces.size() < 4) {
            logBadLine(code, QStringLiteral("line %1 does not hold a quoted key and value").arg(lineNumber));
            continue;
        }
        const QString &key = pieces.at(1);
        const QString &value = pieces.at(3);
        if (key == kDirectionKey)
            m_languageDirection = value == QLatin1String("ltr") ? 1 : 2;
        else
            strings.insert(key.toUpper(), japanese ? holdSentenceEnds(value) : value);
    }
    m_localizedStrings = std::move(strings);
}

QString HMLocalization::localizedStringForKey(const QString &key) const
{
    if (m_activeLanguage.isNull())
        Log::line(QStringLiteral("HMLocalization: No language selected"));
    const auto it = m_localizedStrings.constFind(key.toUpper());
    return it == m_localizedStrings.constEnd() ? key : it.value();
}
