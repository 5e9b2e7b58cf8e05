#include "tests/shell/ShellFixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

// The documents the help bar opens: generated at build time, found where the
// shell looks, and readable by a PDF reader that is not ours.
class ProductDocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void readerFindsContentAndPageSize_data();
    void readerFindsContentAndPageSize();
    void toolRefusesBadInputAndKeepsOldFile();

private:
    static QString openedBy(void (AppDelegate::*button)());
    static QString run(const QString &program, const QStringList &args);
};

QString ProductDocumentsTest::openedBy(void (AppDelegate::*button)())
{
    ShellFixture f;
    f.shell->awakeFromNib();
    (f.shell.get()->*button)();
    return f.urls.opened().value(0).toLocalFile();
}

QString ProductDocumentsTest::run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

void ProductDocumentsTest::readerFindsContentAndPageSize_data()
{
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<QStringList>("phrases");
    // A4 and the quick guide's 90 x 130 mm, in points.
    QTest::newRow("manual") << true << QStringLiteral("595 x 842 pts")
                            << QStringList {QStringLiteral("HRX-540A"), QStringLiteral("Administrator password"),
                                   QStringLiteral("Time zone"), QStringLiteral("Nimbora"),
                                   QStringLiteral("status light of the recorder turns blue")};
    QTest::newRow("quick guide") << false << QStringLiteral("255 x 369 pts")
                                 << QStringList {QStringLiteral("Quick Guide"), QStringLiteral("blue status light")};
}

void ProductDocumentsTest::readerFindsContentAndPageSize()
{
    QFETCH(bool, manual);
    QFETCH(QString, pageSize);
    QFETCH(QStringList, phrases);
    const QString path = openedBy(manual ? &AppDelegate::onManualClicked : &AppDelegate::onQuickGuideClicked);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-", qPrintable(path));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        QSKIP("poppler-utils is not installed");

    const QString info = run(pdfinfo, {path});
    QVERIFY2(info.contains(pageSize), qPrintable(info));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Creator: +nvrwizard"))));
    const QString text = run(pdftotext, {QStringLiteral("-raw"), path, QStringLiteral("-")}).simplified();
    for (const QString &phrase : phrases)
        QVERIFY2(text.contains(phrase), qPrintable(phrase));
    // Ready is blue, as the guide pages say and draw it.
    QVERIFY(!text.contains(QLatin1String("green"), Qt::CaseInsensitive));
}

void ProductDocumentsTest::toolRefusesBadInputAndKeepsOldFile()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("doc.pdf"));
    {
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    const QString tool = qEnvironmentVariable("NVR_BUILD_DIR") + QStringLiteral("/bin/nvrdocs");
    const QStringList bad[] = {
        {dir.filePath(QStringLiteral("missing.md")), out, QStringLiteral("90"), QStringLiteral("130")},
        {dir.filePath(QStringLiteral("missing.md")), out, QStringLiteral("wide"), QStringLiteral("130")},
        {out},
    };
    for (const QStringList &args : bad) {
        QProcess process;
        process.start(tool, args);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().startsWith("nvrdocs: "));
    }
    QFile old(out);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
}

QTEST_GUILESS_MAIN(ProductDocumentsTest)
#include "tst_productdocuments.moc"
