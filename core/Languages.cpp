#include "core/Languages.h"

#include <iterator>

const QVector<QString> &Languages::LangName()
{
    static const QVector<QString> names = {
        QStringLiteral("English"),
        QStringLiteral("繁體中文"),
        QStringLiteral("简体中文"),
        QStringLiteral("日本語"),
        QStringLiteral("Pyccкий"),
        QStringLiteral("Français"),
        QStringLiteral("Deutsch"),
        QStringLiteral("Italiano"),
        QStringLiteral("Español"),
        QStringLiteral("Česky"),
        QStringLiteral("Dansk"),
        QStringLiteral("Eλληνικά"),
        QStringLiteral("Suomi"),
        QStringLiteral("Hrvatski"),
        QStringLiteral("Magyar"),
        QStringLiteral("Nederland"),
        QStringLiteral("Norsk"),
        QStringLiteral("Polski"),
        QStringLiteral("Português"),
        QStringLiteral("Românâ"),
        QStringLiteral("Slovenščina"),
        QStringLiteral("Svenska"),
    };
    return names;
}

const QVector<QString> &Languages::LangFile()
{
    static const QVector<QString> codes = {
        QStringLiteral("EN"),
        QStringLiteral("TW"),
        QStringLiteral("CN"),
        QStringLiteral("JP"),
        QStringLiteral("RU"),
        QStringLiteral("FR"),
        QStringLiteral("DE"),
        QStringLiteral("IT"),
        QStringLiteral("ES"),
        QStringLiteral("CZ"),
        QStringLiteral("DK"),
        QStringLiteral("GR"),
        QStringLiteral("FI"),
        QStringLiteral("HR"),
        QStringLiteral("HU"),
        QStringLiteral("NL_BE"),
        QStringLiteral("NO"),
        QStringLiteral("PL"),
        QStringLiteral("PT"),
        QStringLiteral("RO"),
        QStringLiteral("SL"),
        QStringLiteral("SE"),
    };
    return codes;
}

int Languages::indexOf(const QString &codeOrName)
{
    for (int i = 0; i < LangFile().size(); ++i) {
        if (LangFile().at(i).compare(codeOrName, Qt::CaseInsensitive) == 0 || LangName().at(i) == codeOrName)
            return i;
    }
    return -1;
}

QLocale Languages::localeOf(const QString &code)
{
    // In LangFile() order.
    static const char *const names[]
        = {"en_US", "zh_TW", "zh_CN", "ja_JP", "ru_RU", "fr_FR", "de_DE", "it_IT", "es_ES", "cs_CZ", "da_DK", "el_GR",
            "fi_FI", "hr_HR", "hu_HU", "nl_BE", "nb_NO", "pl_PL", "pt_PT", "ro_RO", "sl_SI", "sv_SE"};
    static_assert(std::size(names) == 22);
    const int index = indexOf(code);
    return QLocale(QString::fromLatin1(names[index < 0 ? 0 : index]));
}
