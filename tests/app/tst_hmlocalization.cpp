#include "app/core/HMLocalization.h"
#include "app/core/Languages.h"
#include "platform/Log.h"
#include "platform/Resources.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The text table over real language files: parsing, letter case, direction,
// language switches, and every file that ships.
class HMLocalizationTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keysMatchInAnyLetterCase();
    void lineShapes_data();
    void lineShapes();
    void directionSurvivesFilesWithoutIt();
    void codeCaseAndMissingFiles();
    void lookupBeforeAnyLanguage();
    void shippedFilesLoadCleanly();

private:
    void writeFile(const QString &code, const QByteArray &content);
    QStringList formatLines() const;

    QTemporaryDir m_dir;
    QStringList m_log;
};

namespace {
const QString kFormatPrefix = QStringLiteral("HMLocalization: Encountered incorrect format while reading ");
} // namespace

void HMLocalizationTest::init()
{
    QVERIFY(m_dir.isValid());
    m_log.clear();
    Log::setSink([this](const QString &line) { m_log << line; });
}

void HMLocalizationTest::cleanup()
{
    Log::setSink({});
}

void HMLocalizationTest::writeFile(const QString &code, const QByteArray &content)
{
    QFile file(m_dir.filePath(code + QStringLiteral(".txt")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QStringList HMLocalizationTest::formatLines() const
{
    QStringList lines;
    for (const QString &line : m_log) {
        if (line.startsWith(kFormatPrefix))
            lines << line;
    }
    return lines;
}

void HMLocalizationTest::keysMatchInAnyLetterCase()
{
    writeFile(QStringLiteral("EN"),
        "\"Summary_Title\" = \"Setup complete\";\n"
        "\"APP_Next2\" = \"Next\";\n"
        "\"app_NEXT2\" = \"Continue\";\n");
    HMLocalization l10n(m_dir.path());
    l10n.setLanguage(QStringLiteral("EN"));

    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("SUMMARY_TITLE")), QStringLiteral("Setup complete"));
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("summary_title")), QStringLiteral("Setup complete"));
    // A later line with the same key in another case replaces the earlier one.
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("APP_Next2")), QStringLiteral("Continue"));
    // Unknown keys come back exactly as asked, with no other language behind them.
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("SetupCam Found")), QStringLiteral("SetupCam Found"));
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("setupcam found")), QStringLiteral("setupcam found"));
}

void HMLocalizationTest::lineShapes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("reported");

    QTest::newRow("third quoted string ignored") << QByteArray("\"K\" = \"first\" \"third\";") << "K"
                                                 << "first" << 0;
    QTest::newRow("no semicolon, odd spacing") << QByteArray("\"K\"=\"v\"") << "K"
                                               << "v" << 0;
    QTest::newRow("carriage return before line feed") << QByteArray("\"K\" = \"v\";\r") << "K"
                                                      << "v" << 0;
    QTest::newRow("byte order mark before the key") << QByteArray("\xEF\xBB\xBF\"K\" = \"v\";") << "K"
                                                    << "v" << 0;
    QTest::newRow("empty value") << QByteArray("\"K\" = \"\";") << "K"
                                 << "" << 0;
    QTest::newRow("format placeholder kept") << QByteArray("\"K\" = \"Cameras found: %@\";") << "K"
                                             << "Cameras found: %@" << 0;
    QTest::newRow("key only") << QByteArray("\"K\" = v;") << "K"
                              << "K" << 1;
    // Four pieces are enough: an unclosed value runs to the end of the line.
    QTest::newRow("unterminated value") << QByteArray("\"K\" = \"v;") << "K"
                                        << "v;" << 0;
    QTest::newRow("comment line") << QByteArray("// K = v") << "K"
                                  << "K" << 1;
}

void HMLocalizationTest::lineShapes()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, reported);

    // No final line feed, so only the line under test can be reported.
    writeFile(QStringLiteral("FR"), "\"Before\" = \"kept\";\n" + line + "\n\"After\" = \"kept\";");
    HMLocalization l10n(m_dir.path());
    l10n.setLanguage(QStringLiteral("FR"));

    QCOMPARE(l10n.localizedStringForKey(key), value);
    QCOMPARE(formatLines().size(), reported);
    // A bad line never costs its neighbours their entries.
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("Before")), QStringLiteral("kept"));
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("After")), QStringLiteral("kept"));
}

void HMLocalizationTest::directionSurvivesFilesWithoutIt()
{
    writeFile(QStringLiteral("AR"), "\"HMLanguageDirection\" = \"rtl\";\n\"Welcome\" = \"W\";");
    writeFile(QStringLiteral("EN"), "\"Welcome\" = \"Welcome\";");
    writeFile(QStringLiteral("DE"), "\"HMLanguageDirection\" = \"ltr\";");
    HMLocalization l10n(m_dir.path());
    QCOMPARE(l10n.languageDirection(), 1);

    l10n.setLanguage(QStringLiteral("AR"));
    QCOMPARE(l10n.languageDirection(), 2);
    // The direction line is a setting, not a text.
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("HMLanguageDirection")), QStringLiteral("HMLanguageDirection"));

    l10n.setLanguage(QStringLiteral("EN"));
    QCOMPARE(l10n.languageDirection(), 2);
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("Welcome")), QStringLiteral("Welcome"));

    l10n.setLanguage(QStringLiteral("DE"));
    QCOMPARE(l10n.languageDirection(), 1);
}

void HMLocalizationTest::codeCaseAndMissingFiles()
{
    writeFile(QStringLiteral("NL_BE"), "\"Welcome\" = \"Welkom\";");
    HMLocalization l10n(m_dir.path());

    l10n.setLanguage(QStringLiteral("nl_be"));
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("Welcome")), QStringLiteral("Welkom"));
    QCOMPARE(l10n.activeLanguage(), QStringLiteral("nl_be"));
    QCOMPARE(l10n.getLanguage(), QStringLiteral("nl_be"));

    // A language without a file drops the previous texts and reports nothing.
    l10n.setLanguage(QStringLiteral("XX"));
    QCOMPARE(l10n.activeLanguage(), QStringLiteral("XX"));
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("Welcome")), QStringLiteral("Welcome"));
    QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(QLatin1Char('\n'))));
}

void HMLocalizationTest::lookupBeforeAnyLanguage()
{
    writeFile(QStringLiteral("EN"), "\"Welcome\" = \"Welcome!\";");
    HMLocalization l10n(m_dir.path());
    QVERIFY(l10n.activeLanguage().isNull());

    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("Welcome")), QStringLiteral("Welcome"));
    QCOMPARE(m_log, QStringList {QStringLiteral("HMLocalization: No language selected")});

    m_log.clear();
    l10n.setLanguage(QStringLiteral("EN"));
    QCOMPARE(l10n.localizedStringForKey(QStringLiteral("Welcome")), QStringLiteral("Welcome!"));
    QVERIFY(m_log.isEmpty());
}

void HMLocalizationTest::shippedFilesLoadCleanly()
{
    const QString folder = Resources::path(QStringLiteral("lang"));
    HMLocalization english(folder);
    english.setLanguage(QStringLiteral("EN"));
    const QString next = english.localizedStringForKey(QStringLiteral("APP_Next2"));
    QCOMPARE(next, QStringLiteral("Next"));

    for (const QString &code : Languages::LangFile()) {
        QFile file(folder + QLatin1Char('/') + code + QStringLiteral(".txt"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray content = file.readAll();
        QVERIFY2(
            content.endsWith('\n') && !content.startsWith("\xEF\xBB\xBF") && !content.contains('\r'), qPrintable(code));

        m_log.clear();
        HMLocalization l10n(folder);
        l10n.setLanguage(code);
        // Only the empty piece after the final line feed may be reported, naming the code.
        const QStringList reported = formatLines();
        const QString lastPiece = QStringLiteral("line %1 ").arg(content.count('\n') + 1);
        QVERIFY2(reported.size() == 1 && reported.first().contains(lastPiece)
                && reported.first().startsWith(kFormatPrefix + code + QStringLiteral(" localization file: ")),
            qPrintable(code + QLatin1Char(' ') + reported.join(QLatin1Char('\n'))));
        QCOMPARE(l10n.languageDirection(), 1);
        if (code != QLatin1String("EN"))
            QVERIFY2(l10n.localizedStringForKey(QStringLiteral("APP_Next2")) != next, qPrintable(code));
        QVERIFY2(!l10n.localizedStringForKey(QStringLiteral("Summary_Title")).isEmpty(), qPrintable(code));
    }
}

QTEST_GUILESS_MAIN(HMLocalizationTest)
#include "tst_hmlocalization.moc"
