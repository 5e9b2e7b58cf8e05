// The summary page's widgets without a recorder: what the list holds shows,
// empty slots leave no gaps, the cloud rows hide without an account, and the
// shortcut box waits for the recorder's cloud state.
#include "WidgetsFixture.h"
#include "app/core/ShellDelegate.h"
#include "app/SummaryView.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

struct Shell : ShellDelegate
{
    int finished = 0;
    void finishWizard() override { ++finished; }
};

template<typename T> T *find(QWidget &in, const QString &name)
{
    return in.findChild<T *>(name);
}

} // namespace

class SummaryPageTest : public QObject
{
    Q_OBJECT

private:
    WidgetsFixture f;

private slots:
    void initTestCase() { HMLocalization::sharedInstance().setLanguage(QStringLiteral("EN")); }

    void showsTheList_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<bool>("cloud");
        QTest::addColumn<QStringList>("cameras");
        QTest::newRow("cloud, cameras in slots 2 and 9") << QStringList {"Nvr-pw1", "me@example.com", "Cloud-pw1",
            "none", "ZB 2100", "none", "none", "none", "none", "none", "none", "47X-10"}
                                                         << true << QStringList {"ZB 2100", "47X-10"};
        QTest::newRow("empty list") << QStringList {} << false << QStringList {};
    }
    void showsTheList()
    {
        QFETCH(QStringList, list);
        QFETCH(bool, cloud);
        QFETCH(QStringList, cameras);
        SummaryView summary(f.context);
        Shell shell;
        summary.setSummaryInfo(list);
        std::unique_ptr<QWidget> page(f.factory.makePage(summary, nullptr));
        QVERIFY(page);
        page->resize(730, 470);
        page->show();
        summary.viewDidAppear();
        summary.setDelegate(&shell, nullptr, QStringLiteral("admin"), QString());

        QCOMPARE(find<QLabel>(*page, "edPass")->text(), list.value(0, QStringLiteral("none")));
        QCOMPARE(find<QLabel>(*page, "edMail")->isVisible(), cloud);
        QCOMPARE(find<QLabel>(*page, "edNimboraPass")->isVisible(), cloud);
        QCOMPARE(find<QLabel>(*page, "lbCloud")->isVisible(), cloud);
        for (int i = 0; i < 9; ++i) {
            auto *camera = find<QLabel>(*page, QStringLiteral("lbCamera%1").arg(i + 1));
            QCOMPARE(camera != nullptr, i < cameras.size());
            if (camera)
                QVERIFY(camera->text().endsWith(cameras.at(i)));
        }
        QVERIFY(find<QLabel>(*page, "lbText1")->text().contains(QLatin1String("<b>FINISH</b>")));
        auto *check = find<QCheckBox>(*page, "btCheck");
        QVERIFY(!check->isEnabled() && !check->isChecked());
        QVERIFY(!find<QPushButton>(*page, "btGotoNvr")->isEnabled());
        QTest::mouseClick(find<QPushButton>(*page, "btFinish"), Qt::LeftButton);
        QCOMPARE(shell.finished, 1);
    }
};

QTEST_MAIN(SummaryPageTest)
#include "tst_summarypage.moc"
