// The search step's page over simulated recorders in the network lab: what
// the window shows while searching, with two recorders and with none, and
// the recorder internet dialog.
#include "LabEnv.h"
#include "SimProcess.h"
#include "app/core/HMLocalization.h"
#include "platform/Durations.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_SearchNvrView.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WidgetFactory.h"
#include "widgets/WidgetModalHost.h"
#include "widgets/WizardStyle.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

constexpr double kScale = 0.1;
constexpr int kWaitMs = 10000;

struct PageCalls : SetupStepDelegate
{
    QStringList calls;
    void setupSearchNvrNext() override { calls << QStringLiteral("next"); }
};

} // namespace

class SearchPageLabTest : public QObject
{
    Q_OBJECT

private:
    WidgetFactory factory;
    NotificationCenter notifications;
    std::unique_ptr<WidgetModalHost> modal;
    RecordingUrlOpener urls;
    std::unique_ptr<WizardContext> context;
    std::unique_ptr<Setup_SearchNvrView> step;
    std::unique_ptr<QWidget> page;
    PageCalls pageCalls;
    SimProcess sim;

    template<typename T> T *find(const char *name) const { return page->findChild<T *>(QString::fromLatin1(name)); }
    void showOver(const QList<QJsonObject> &recorders)
    {
        sim.setTimeScale(kScale);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario(recorders), &error), qPrintable(error));
        step = std::make_unique<Setup_SearchNvrView>(*context);
        step->setDelegate(&pageCalls);
        page.reset(factory.makePage(*step, nullptr));
        QVERIFY(page);
        page->resize(820, 560);
        page->show();
        modal->setMainWindow(page.get());
        step->viewDidAppear();
    }
    void waitForTheEnd()
    {
        QVERIFY(QTest::qWaitFor([&] { return !step->isSearching(); }, kWaitMs));
        QTest::qWait(50); // let the last repaint land before a grab
    }

private slots:
    void initTestCase()
    {
        applyWizardStyle(*qApp);
        registerAllWidgets(factory);
        modal = std::make_unique<WidgetModalHost>(factory);
        HMLocalization::sharedInstance().setLanguage(qEnvironmentVariable("NVR_SHOTS_LANG", QStringLiteral("EN")));
        context.reset(new WizardContext {notifications, HMLocalization::sharedInstance(), *modal, urls, {}});
    }
    void init()
    {
        NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(kScale));
        pageCalls.calls.clear();
    }
    void cleanup()
    {
        page.reset();
        step.reset();
        sim.stop();
    }

    void twoRecordersToChooseFrom()
    {
        const QJsonObject first = SimProcess::recorder(0), second = SimProcess::recorder(1);
        showOver({first, second});
        auto *content = find<QStackedWidget>("boxContent");
        QVERIFY(content);
        QCOMPARE(content->currentWidget()->objectName(), QStringLiteral("messageView"));
        QVERIFY(!find<QPushButton>("btNext")->isEnabled());

        waitForTheEnd();
        QCOMPARE(content->currentWidget()->objectName(), QStringLiteral("selectNvrView"));
        auto *table = find<QTableWidget>("tableView");
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(1, 2)->text(), SimProcess::ipOf(second));
        QCOMPARE(table->item(1, 3)->text(), SimProcess::macOf(second));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("1"));
        QVERIFY(find<QPushButton>("btNext")->isEnabled());
        QVERIFY(!find<QLabel>("textField")->isVisible());

        // A click on the second row moves the mark; Next hands that recorder on.
        const qint64 offMark = table->item(1, 0)->icon().pixmap(16).toImage().pixel(8, 8);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(1, 2)).center());
        QCOMPARE(step->selectNvrView().selectedRow(), 1);
        QCOMPARE(table->item(0, 0)->icon().pixmap(16).toImage().pixel(8, 8), offMark);
        QVERIFY(table->item(1, 0)->icon().pixmap(16).toImage().pixel(8, 8) != offMark);
        QTest::mouseClick(find<QPushButton>("btNext"), Qt::LeftButton);
        QCOMPARE(pageCalls.calls, QStringList {QStringLiteral("next")});
        QCOMPARE(step->selectNvrView().selectedDevicesMAC(), SimProcess::macOf(second));
    }

    void nothingFound()
    {
        showOver({SimProcess::misbehaving(0, {{QStringLiteral("silent"), true}})});
        waitForTheEnd();
        auto *label = find<QLabel>("textField");
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), HMLocalization::sharedInstance().localizedStringForKey(QStringLiteral("APP_NODevice")));
        QCOMPARE(find<QTableWidget>("tableView")->rowCount(), 0);
        QVERIFY(!find<QPushButton>("btNext")->isEnabled());
        QVERIFY(find<QPushButton>("btRescan")->isEnabled());
        QVERIFY(find<QPushButton>("btBack")->isEnabled());

        // Rescan from the window: the waiting panel comes back at once.
        QTest::mouseClick(find<QPushButton>("btRescan"), Qt::LeftButton);
        QVERIFY(!label->isVisible());
        QCOMPARE(find<QStackedWidget>("boxContent")->currentWidget()->objectName(), QStringLiteral("messageView"));
        waitForTheEnd();
    }

    void internetDialogFromTheList()
    {
        showOver({SimProcess::recorder(0)});
        waitForTheEnd();
        bool seen = false;
        // The dialog runs its own modal loop: look at it from inside that loop.
        QTimer::singleShot(100, this, [&] {
            auto *dialog = qApp->findChild<QDialog *>(QStringLiteral("DiagCheckNVRInternet"));
            if (!dialog)
                dialog = page->findChild<QDialog *>(QStringLiteral("DiagCheckNVRInternet"));
            QVERIFY(dialog && dialog->isVisible());
            seen = true;
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btOK")), Qt::LeftButton);
        });
        QTest::mouseClick(find<QPushButton>("btCheckNVRInternet"), Qt::LeftButton);
        QVERIFY(seen);
        QVERIFY(!page->findChild<QDialog *>(QStringLiteral("DiagCheckNVRInternet")));
    }
};

QTEST_MAIN(SearchPageLabTest)
#include "tst_searchpagelab.moc"
