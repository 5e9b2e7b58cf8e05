// The time zone step's widgets over a step entered without a recorder, so it
// only proposes the computer's zone: the user's clicks and typing reach the
// picker, and the picker's state shows on screen.
#include "WidgetsFixture.h"
#include "steps/Setup_TimeZoneView.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

class TimeZonePageTest : public QObject
{
    Q_OBJECT

private:
    WidgetsFixture f;

    template<typename T> static T *find(QWidget &in, const char *name)
    {
        return in.findChild<T *>(QString::fromLatin1(name));
    }
    static void clickRow(QListWidget &list, int row)
    {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    }

private slots:
    void initTestCase() { HMLocalization::sharedInstance().setLanguage(QStringLiteral("EN")); }

    void pickerFollowsTheUser()
    {
        Setup_TimeZoneView step(f.context);
        step.setComputerTimeZoneSource([] { return ComputerTimeZone {QStringLiteral("Asia/Taipei"), 8 * 3600}; });
        step.setDelegate(nullptr, nullptr, QStringLiteral("admin"), QString());
        std::unique_ptr<QWidget> page(f.factory.makePage(step, nullptr));
        QVERIFY(page);
        page->resize(730, 470);
        page->show();
        const QString proposal = QStringLiteral("(GMT+08:00) Beijing, Hong Kong, Singapore, Taipei");
        QCOMPARE(
            find<QStackedWidget>(*page, "boxContent")->currentWidget()->objectName(), QStringLiteral("timeZoneView"));
        auto *zone = find<QPushButton>(*page, "btTimeZone");
        auto *autoZone = find<QCheckBox>(*page, "autoTimeZone");
        auto *search = find<QLineEdit>(*page, "edTimeZone");
        auto *list = find<QListWidget>(*page, "timeZoneListTableView");
        QCOMPARE(zone->text(), proposal);
        QVERIFY(autoZone->isChecked());
        QVERIFY(!list->isVisible());
        // Nothing was read from a recorder: there is no list to count in yet.
        QVERIFY(find<QPushButton>(*page, "btBack")->isEnabled());
        QVERIFY(!find<QPushButton>(*page, "btNext")->isEnabled());

        // Typing searches the wizard's list, accents and case aside.
        QTest::keyClicks(search, QStringLiteral("BRAS\u00cdLIA"));
        QVERIFY(list->isVisible());
        QVERIFY(!autoZone->isChecked());
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("(GMT-03:00) Brasilia, Buenos Aires"));
        clickRow(*list, 0);
        QCOMPARE(zone->text(), QStringLiteral("(GMT-03:00) Brasilia, Buenos Aires"));
        QVERIFY(!list->isVisible());
        QVERIFY(!zone->isChecked());

        // The zone button opens the list, a click beside it closes it.
        QTest::mouseClick(zone, Qt::LeftButton);
        QVERIFY(list->isVisible());
        QVERIFY(zone->isChecked());
        QWidget *picker = find<QWidget>(*page, "timeZoneView");
        QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 5, picker->height() - 5));
        QVERIFY(!list->isVisible());
        QVERIFY(!zone->isChecked());

        // The check box brings the computer's zone back, with the whole list.
        QTest::mouseClick(autoZone, Qt::LeftButton, {}, QPoint(8, autoZone->height() / 2));
        QCOMPARE(zone->text(), proposal);
        QVERIFY(autoZone->isChecked());
        QCOMPARE(list->count(), step.timeZoneViewController().timeZoneList().size());
        QCOMPARE(list->currentItem()->text(), proposal);
    }
};

QTEST_MAIN(TimeZonePageTest)
#include "tst_timezonepage.moc"
