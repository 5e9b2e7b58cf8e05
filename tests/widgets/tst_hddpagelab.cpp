// The hard-disk step's page over a simulated recorder in the network lab: the
// buttons wait for the first answer, the table shows the bays, a row's check
// button acts as Next and opens the real format dialog, and Skip goes on.
#include "LabEnv.h"
#include "SimProcess.h"
#include "WidgetsFixture.h"
#include "platform/Durations.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_HddView.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = 10000;

struct PageCalls : SetupStepDelegate
{
    QStringList calls;
    void setupHddNext() override { calls << QStringLiteral("next"); }
};

// Presses a button of the dialog of this kind once it is open.
void pressInDialog(QObject *owner, const QString &kind, const QString &button, bool *pressed)
{
    auto *poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, kind, button, pressed] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != kind)
            return;
        if (auto *b = dialog->findChild<QPushButton *>(button)) {
            *pressed = true;
            b->click();
        }
        poll->deleteLater();
    });
    poll->start(10);
}

} // namespace

class HddPageLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setDurations(Durations().scaled(0.1)); }

    void pageFollowsTheStep()
    {
        NVR_REQUIRE_LAB();
        const QJsonObject recorder = SimProcess::recorder(0); // one unformatted drive in bay 1
        SimProcess sim;
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));

        WidgetsFixture f;
        Setup_HddView step(f.context);
        PageCalls page;
        step.setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), QString());
        std::unique_ptr<QWidget> widget(f.factory.makePage(step, nullptr));
        QVERIFY(widget);
        widget->show();
        auto *content = widget->findChild<QStackedWidget *>(QStringLiteral("boxContent"));
        auto *skip = widget->findChild<QPushButton *>(QStringLiteral("btSkip"));
        auto *next = widget->findChild<QPushButton *>(QStringLiteral("btNext"));
        auto *table = widget->findChild<QTableWidget *>(QStringLiteral("tableView"));
        QVERIFY(content && skip && next && table);

        step.viewDidAppear();
        QCOMPARE(content->currentWidget()->objectName(), QStringLiteral("messageView"));
        QVERIFY(!skip->isEnabled() && !next->isEnabled());
        QVERIFY(QTest::qWaitFor([&] { return next->isEnabled(); }, kWaitMs));
        QCOMPARE(content->currentWidget()->objectName(), QStringLiteral("hddInformationView"));
        QVERIFY(skip->isEnabled());
        QCOMPARE(table->rowCount(), 2);
        auto *mark1 = qobject_cast<QCheckBox *>(table->cellWidget(0, 0));
        auto *mark2 = qobject_cast<QCheckBox *>(table->cellWidget(1, 0));
        QVERIFY(mark1 && mark2);
        QVERIFY(mark1->isChecked());
        QVERIFY(!mark2->isChecked());
        QCOMPARE(table->item(1, 2)->text(), QStringLiteral("---"));
        // Column 4's format button: off for an unformatted disk, gone for an empty bay.
        auto *format1 = table->cellWidget(0, 4)->findChild<QPushButton *>(QStringLiteral("btFormatDisk0"));
        auto *format2 = table->cellWidget(1, 4)->findChild<QPushButton *>(QStringLiteral("btFormatDisk1"));
        QVERIFY(format1 && format2);
        QVERIFY(!format1->isHidden() && !format1->isEnabled());
        QVERIFY(format2->isHidden());

        // The empty bay's button keeps its mark off and acts as Next; the
        // format dialog comes up as a window, and Cancel returns to browsing.
        bool cancelled = false;
        pressInDialog(this, QStringLiteral("DiagHddFormat"), QStringLiteral("btCancel"), &cancelled);
        mark2->click();
        QCOMPARE(content->currentWidget()->objectName(), QStringLiteral("messageView"));
        QVERIFY(!next->isEnabled());
        QVERIFY(QTest::qWaitFor([&] { return cancelled && next->isEnabled(); }, kWaitMs));
        QVERIFY(!mark2->isChecked());

        skip->click();
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(page.calls, QStringList {QStringLiteral("next")});
        QCOMPARE(sim.log(QStringLiteral("http")).last().value("path"), QStringLiteral("/config/storageinfo"));
    }
};

QTEST_MAIN(HddPageLabTest)
#include "tst_hddpagelab.moc"
