#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The per-language text table: every text the wizard shows is looked up here
// by key. Language files are "<CODE>.txt" in one folder, lines of the form
// "KEY" = "VALUE";
class HMLocalization
{
public:
    explicit HMLocalization(QString languageFolder);

    // The process-wide table over the shipped language files.
    static HMLocalization &sharedInstance();

    // Reads the code's language file and makes it active.
    void setLanguage(const QString &code);
    // The same with the file's bytes already read (null: no file).
    void loadLanguage(const QString &code, const QByteArray &fileBytes);
    QString localizedStringForKey(const QString &key) const;
    QString getLanguage() const { return m_activeLanguage; }
    QString activeLanguage() const { return m_activeLanguage; }
    // 1 left-to-right, 2 right-to-left.
    int languageDirection() const { return m_languageDirection == 0 ? 1 : m_languageDirection; }

private:
    QString m_languageFolder;
    QString m_activeLanguage;
    QHash<QString, QString> m_localizedStrings;
    int m_languageDirection = 0;
};
