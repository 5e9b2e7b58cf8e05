#pragma once

#include <QString>
#include <QTranslator>

// Qt's own texts (the file dialog's buttons, labels and columns) in the
// wizard's language, from the translations Qt ships for it; Qt's English
// where there are none.
class QtTranslations
{
public:
    ~QtTranslations();
    void follow(const QString &languageCode);

private:
    QString m_code;
    QTranslator m_translator;
    bool m_installed = false;
};
