#include "tests/shell/ShellFixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

QString run(const QString &program, const QStringList &args, int *exitCode = nullptr, QByteArray *errors = nullptr)
{
    QProcess process;
    process.start(program, args);
    const bool ended = process.waitForFinished(30000);
    if (exitCode)
        *exitCode = ended ? process.exitCode() : -1;
    if (errors)
        *errors = process.readAllStandardError();
    return ended && process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

} // namespace

class ProductDocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void readerFindsContentAndPageSize_data()
    {
        QTest::addColumn<bool>("manual");
        QTest::addColumn<QString>("pageSize");
        QTest::addColumn<QStringList>("phrases");
        // A4 and the quick guide's 90 x 130 mm, in points.
        QTest::newRow("manual") << true << QStringLiteral("595 x 842 pts")
                                << QStringList {"HRX-540A", "Administrator password", "Time zone", "Nimbora",
                                       "status light of the recorder turns blue"};
        QTest::newRow("quick guide") << false << QStringLiteral("255 x 369 pts")
                                     << QStringList {"Quick Guide", "blue status light"};
    }
    void readerFindsContentAndPageSize()
    {
        QFETCH(bool, manual);
        QFETCH(QString, pageSize);
        QFETCH(QStringList, phrases);
        ShellFixture f;
        f.shell->awakeFromNib();
        manual ? f.shell->onManualClicked() : f.shell->onQuickGuideClicked();
        const QString path = f.urls.opened().value(0).toLocalFile();
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

    void toolRefusesBadInputAndKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("doc.pdf")),
                      missing = dir.filePath(QStringLiteral("missing.md"));
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        const QString tool = qEnvironmentVariable("NVR_BUILD_DIR") + QStringLiteral("/bin/nvrdocs");
        for (const QStringList &args :
            {QStringList {missing, out, "90", "130"}, {missing, out, "wide", "130"}, {out}}) {
            int exitCode = 0;
            QByteArray errors;
            run(tool, args, &exitCode, &errors);
            QCOMPARE(exitCode, 1);
            QVERIFY(errors.startsWith("nvrdocs: "));
        }
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(ProductDocumentsTest)
#include "tst_productdocuments.moc"
