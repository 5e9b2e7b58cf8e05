#include "core/Languages.h"

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
