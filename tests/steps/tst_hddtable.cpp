// The disk table and the format confirmation over records the answer parser
// made from recorder answers: column 4 with its status and format button, and
// the disks the confirmation names.
#include "StepsFixture.h"
#include "steps/DiagHddFormat.h"
#include "steps/Setup_HddInformationView.h"
#include "webconfig/RecordParsers.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// One bay's answer as the recorder sends it; status < 0 leaves out the partitions.
std::shared_ptr<THddInfo> bay(int id, const QString &product, int status)
{
    QString answer = QStringLiteral("storageid=%1\r\ndevicename=sd%2\r\nmodelname=M%1\r\nproduct=%3\r\n")
                         .arg(id)
                         .arg(QChar(u'a' + id))
                         .arg(product);
    if (status < 0)
        answer += QStringLiteral("partitions=0\r\n");
    else
        answer += QStringLiteral("partitions=1\r\npartitioninfo0=953869,0,953869,0,%1,EXT4\r\n").arg(status);
    return RecordParsers::hddInfo(answer + QStringLiteral("plug=1\r\nready=1\r\nend\r\n"));
}

using Icon = Setup_HddInformationView::StatusIcon;

} // namespace

class HddTableTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StepsFixture> f;
    std::unique_ptr<Setup_HddInformationView> table;

private slots:
    void init()
    {
        f = std::make_unique<StepsFixture>(StepsFixture::Entries {{"SetupHdd idle", "Ready"},
            {"SetupHdd disk error", "Disk error"}, {"SetupHdd reject", "Rejected"}, {"SetupHdd_HD1", "Disk"},
            {"SetupHdd invalid record format", "Invalid recording format"}, {"SetupHdd_BtnFormat", "Format"}});
        table = std::make_unique<Setup_HddInformationView>(*f->context);
    }

    // Hidden without partitions, enabled only for a disk in error.
    void statusAndFormatButton_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("no partitions") << -1 << "---" << int(Icon::None) << false << false;
        QTest::newRow("idle") << 2 << "Ready" << int(Icon::CheckOn) << true << false;
        QTest::newRow("disk error") << 4 << "Disk error" << int(Icon::CheckOff) << true << true;
        QTest::newRow("rejected") << 11 << "Rejected" << int(Icon::CheckOff) << true << false;
        QTest::newRow("invalid record format")
            << 0 << "Invalid recording format" << int(Icon::CheckOff) << true << false;
    }
    void statusAndFormatButton()
    {
        QFETCH(int, status);
        QFETCH(QString, text);
        QFETCH(int, icon);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        table->setHddList({bay(0, QStringLiteral("WD Purple 1TB"), status)});
        QCOMPARE(table->rowStatus(0), text);
        QCOMPARE(int(table->rowIcon(0)), icon);
        QCOMPARE(table->rowFormatVisible(0), visible);
        QCOMPARE(table->rowFormatEnabled(0), enabled);
    }

    // A status the table does not know leaves the cell as the last answer drew it.
    void unknownStatusKeepsTheCell()
    {
        table->setHddList({bay(0, QStringLiteral("A"), 12), bay(1, QStringLiteral("B"), -1)});
        QCOMPARE(table->rowStatus(0), QString());
        QCOMPARE(table->rowIcon(0), Icon::None);
        table->setHddList({bay(0, QStringLiteral("A"), 2), bay(1, QStringLiteral("B"), -1)});
        table->setHddList({bay(0, QStringLiteral("A"), 12), bay(1, QStringLiteral("B"), 99)});
        QCOMPARE(table->rowStatus(0), QStringLiteral("Ready"));
        QCOMPARE(table->rowIcon(0), Icon::CheckOn);
        QVERIFY(table->rowFormatVisible(0) && !table->rowFormatEnabled(0));
        QCOMPARE(table->rowStatus(1), QStringLiteral("---"));
        QCOMPARE(table->rowIcon(1), Icon::None);
        QVERIFY(table->rowFormatVisible(1));
    }

    // The format button of a disk in error marks that disk alone and goes on;
    // a button that is off does nothing.
    void formatButtonMarksItsDiskOnly()
    {
        table->setHddList({bay(0, QStringLiteral("A"), 2), bay(1, QStringLiteral("B"), 4)});
        QVERIFY(table->rowChecked(0) && table->rowChecked(1));
        QSignalSpy next(table.get(), &Setup_HddInformationView::nextRequested);
        QSignalSpy marks(table.get(), &Setup_HddInformationView::markChanged);
        table->onFormatClicked(0);
        QCOMPARE(next.size(), 0);
        QVERIFY(table->rowChecked(0));
        table->onFormatClicked(1);
        QCOMPARE(next.size(), 1);
        QVERIFY(!table->rowChecked(0));
        QVERIFY(table->rowChecked(1));
        QCOMPARE(marks.size(), 1);
    }

    // The confirmation names each marked disk by its bay and product.
    void confirmationNamesTheMarkedDisks()
    {
        struct Nobody : DiagHddFormatDelegate
        {
        } nobody;
        const std::shared_ptr<THddInfo> first = bay(0, QStringLiteral("WD Purple 1TB"), 6);
        const std::shared_ptr<THddInfo> second = bay(1, QStringLiteral("Seagate SkyHawk 2TB"), 2);
        const auto empty
            = RecordParsers::hddInfo(QStringLiteral("storageid=1\r\ndevicename=\r\npartitions=0\r\nend\r\n"));
        QCOMPARE(DiagHddFormat(*f->context, nobody, {first, empty}).lbDisks(),
            QStringList {QStringLiteral("Disk 1: WD Purple 1TB")});
        first->setChecked(false);
        QCOMPARE(DiagHddFormat(*f->context, nobody, {first, second}).lbDisks(),
            QStringList {QStringLiteral("Disk 2: Seagate SkyHawk 2TB")});
    }
};

QTEST_GUILESS_MAIN(HddTableTest)
#include "tst_hddtable.moc"
