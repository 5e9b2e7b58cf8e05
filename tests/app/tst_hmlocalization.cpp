#include "core/DiagShowEula.h"
#include "core/HMLocalization.h"
#include "core/ScriptedModalHost.h"
#include "core/TextFormat.h"
#include "platform/Log.h"
#include "platform/NotificationCenter.h"
#include "platform/Resources.h"
#include "platform/UrlOpener.h"
#include "tests/support/DataRows.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kFormatPrefix = QStringLiteral("HMLocalization: Encountered incorrect format while reading ");
} // namespace

class HMLocalizationTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_log;

    void writeFile(const QString &code, const QByteArray &content)
    {
        QFile file(m_dir.filePath(code + QStringLiteral(".txt")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    QStringList formatLines() const
    {
        return m_log.filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(kFormatPrefix)));
    }

private slots:
    void init()
    {
        m_log.clear();
        Log::setSink([this](const QString &line) { m_log << line; });
    }
    void cleanup() { Log::setSink({}); }

    void keysMatchInAnyLetterCase()
    {
        writeFile(QStringLiteral("EN"),
            "\"Summary_Title\" = \"Setup complete\";\n\"APP_Next2\" = \"Next\";\n"
            "\"app_NEXT2\" = \"Continue\";\n");
        HMLocalization l10n(m_dir.path());
        l10n.setLanguage(QStringLiteral("EN"));
        QCOMPARE(l10n.localizedStringForKey(QStringLiteral("summary_TITLE")), QStringLiteral("Setup complete"));
        // A later line with the same key in another case replaces the earlier one.
        QCOMPARE(l10n.localizedStringForKey(QStringLiteral("APP_Next2")), QStringLiteral("Continue"));
        QCOMPARE(l10n.localizedStringForKey(QStringLiteral("setupcam Found")), QStringLiteral("setupcam Found"));
    }

    // Each row: the line, then the value read for "K" and whether the line is reported.
    void lineShapes_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("reported");
        const auto row = [](const char *name, const QByteArray &line, const char *value, int reported) {
            QTest::newRow(name) << line << QString::fromUtf8(value) << reported;
        };
        row("third quoted string ignored", "\"K\" = \"first\" \"third\";", "first", 0);
        row("no semicolon, odd spacing", "\"K\"=\"v\"", "v", 0);
        row("carriage return before line feed", "\"K\" = \"v\";\r", "v", 0);
        row("byte order mark before the key", "\xEF\xBB\xBF\"K\" = \"v\";", "v", 0);
        row("empty value", "\"K\" = \"\";", "", 0);
        row("key only", "\"K\" = v;", "K", 1);
        // Four pieces are enough: an unclosed value runs to the end of the line.
        row("unterminated value", "\"K\" = \"v;", "v;", 0);
        row("comment line", "// K = v", "K", 1);
    }
    void lineShapes()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, value);
        QFETCH(int, reported);
        // No final line feed, so only the line under test can be reported.
        writeFile(QStringLiteral("FR"), "\"Before\" = \"kept\";\n" + line + "\n\"After\" = \"kept\";");
        HMLocalization l10n(m_dir.path());
        l10n.setLanguage(QStringLiteral("FR"));
        QCOMPARE(l10n.localizedStringForKey(QStringLiteral("K")), value);
        QCOMPARE(formatLines().size(), reported);
        // A bad line never costs its neighbours their entries.
        QCOMPARE(
            l10n.localizedStringForKey(QStringLiteral("Before")) + l10n.localizedStringForKey(QStringLiteral("After")),
            QStringLiteral("keptkept"));
    }

    // Japanese only: the last characters before 。？！ are joined to the mark
    // (joiners shown as "+"); spaces, Latin text and "%@" break the hold.
    void sentenceEndsHeld_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("held");
        const auto row = [](const char *name, const char *language, const char *value, const char *held) {
            QTest::newRow(name) << QString::fromLatin1(language) << QString::fromUtf8(value)
                                << QString::fromUtf8(held).replace(QLatin1Char('+'), QChar(0x2060));
        };
        row("four before the mark", "JP", "入力してください。", "入力してく+だ+さ+い+。");
        row("each sentence", "jp", "はい？いいえ！", "は+い+？い+い+え+！");
        row("Latin, space and placeholder", "JP", "VPN です。 %@。", "VPN で+す+。 %@。");
        row("other languages", "CN", "请稍候。", "请稍候。");
    }
    void sentenceEndsHeld()
    {
        QFETCH(QString, language);
        QFETCH(QString, value);
        QFETCH(QString, held);
        HMLocalization l10n(m_dir.path());
        l10n.loadLanguage(language, "\"K\" = \"" + value.toUtf8() + "\";");
        QCOMPARE(l10n.localizedStringForKey(QStringLiteral("K")), held);
    }

    void directionSurvivesFilesWithoutIt()
    {
        writeFile(QStringLiteral("AR"), "\"HMLanguageDirection\" = \"rtl\";\n\"Welcome\" = \"W\";");
        writeFile(QStringLiteral("EN"), "\"Welcome\" = \"Welcome\";");
        writeFile(QStringLiteral("DE"), "\"HMLanguageDirection\" = \"ltr\";");
        HMLocalization l10n(m_dir.path());
        QCOMPARE(l10n.languageDirection(), 1);
        l10n.setLanguage(QStringLiteral("AR"));
        QCOMPARE(l10n.languageDirection(), 2);
        // The direction line is a setting, not a text.
        QCOMPARE(
            l10n.localizedStringForKey(QStringLiteral("HMLanguageDirection")), QStringLiteral("HMLanguageDirection"));
        l10n.setLanguage(QStringLiteral("EN"));
        QCOMPARE(l10n.languageDirection(), 2);
        l10n.setLanguage(QStringLiteral("DE"));
        QCOMPARE(l10n.languageDirection(), 1);
    }

    void codeCaseAndMissingFiles()
    {
        writeFile(QStringLiteral("NL_BE"), "\"Welcome\" = \"Welkom\";");
        HMLocalization l10n(m_dir.path());
        QCOMPARE(l10n.localizedStringForKey(QStringLiteral("Welcome")), QStringLiteral("Welcome"));
        QCOMPARE(m_log, QStringList {QStringLiteral("HMLocalization: No language selected")});
        m_log.clear();
        l10n.setLanguage(QStringLiteral("nl_be"));
        QCOMPARE(l10n.localizedStringForKey(QStringLiteral("Welcome")), QStringLiteral("Welkom"));
        QCOMPARE(l10n.activeLanguage(), QStringLiteral("nl_be"));
        // A language without a file drops the previous texts and reports nothing.
        l10n.setLanguage(QStringLiteral("XX"));
        QCOMPARE(l10n.localizedStringForKey(QStringLiteral("Welcome")), QStringLiteral("Welcome"));
        QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(QLatin1Char('\n'))));
    }

    // Sizes as drives are labelled, in the language's units and numbers.
    void diskSizes_data()
    {
        rows<QString, QString, QString>({"language", "megabytes", "shown"},
            {{"1TB drive", "EN", "953869", "1.0 TB"}, {"500GB drive", "EN", "476940", "500 GB"},
                {"just under a TB", "EN", "953390", "1.0 TB"}, {"small", "EN", "800", "839 MB"},
                {"not a number", "EN", "n/a", "n/a MB"}, {"Russian", "RU", "1907729", "2,0 \u0422\u0411"},
                {"Japanese 12TB", "JP", "11444224", "12 TB"}});
    }
    void diskSizes()
    {
        QFETCH(QString, language);
        QFETCH(QString, megabytes);
        QFETCH(QString, shown);
        HMLocalization l10n(Resources::path(QStringLiteral("lang")));
        l10n.setLanguage(language);
        QCOMPARE(diskSizeText(megabytes, l10n), shown);
    }

    // The licence dialog: every piece from the active language's file (a key
    // shown as itself: the file lacks it), the same each time it is shown.
    void licenceInTheActiveLanguage()
    {
        NotificationCenter notifications;
        HMLocalization l10n(Resources::path(QStringLiteral("lang")));
        ScriptedModalHost modal;
        RecordingUrlOpener urls;
        WizardContext context {notifications, l10n, modal, urls, {}};
        QStringList shown;
        modal.setScript<DiagShowEula>([&shown](DiagShowEula &dialog) {
            shown << dialog.plainText();
            dialog.windowWillClose();
        });
        for (const char *code : {"EN", "EN", "JP"}) {
            l10n.setLanguage(QString::fromLatin1(code));
            DiagShowEula eula(context);
            modal.runModal(eula);
            QVERIFY(shown.last().startsWith(l10n.localizedStringForKey(QStringLiteral("EulaTitle"))));
            QVERIFY(shown.last().endsWith(l10n.localizedStringForKey(QStringLiteral("EulaTerms8Text"))));
            QVERIFY2(!shown.last().contains(QLatin1String("Eula")), code);
        }
        QVERIFY(shown.at(0) == shown.at(1) && shown.at(1) != shown.at(2));
    }
};

QTEST_GUILESS_MAIN(HMLocalizationTest)
#include "tst_hmlocalization.moc"
