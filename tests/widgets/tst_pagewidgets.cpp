// The step pages' own widgets, without a recorder: what the user types and
// clicks reaches the controllers, and their messages, marks, markers and
// visible fields show on screen.
#include "WidgetsFixture.h"
#include "app/SummaryView.h"
#include "app/core/ShellDelegate.h"
#include "steps/PasswordMessages.h"
#include "steps/Setup_NimboraView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_TimeZoneView.h"
#include "widgets/NimboraForm.h"
#include "widgets/PasswordForms.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

struct CloudStep : Setup_NimboraContentViewDelegate
{
    QList<bool> next;
    void enableNext(bool enabled) override { next << enabled; }
    void enableNextButton(bool checked) override { next << checked; }
};

struct Shell : ShellDelegate
{
    int finished = 0;
    void finishWizard() override { ++finished; }
};

template<typename T> T *find(QWidget &in, const QString &name)
{
    return in.findChild<T *>(name);
}

// On its mark: the button stretches across the form, its text does not.
void choose(QWidget &form, const char *option)
{
    auto *button = find<QRadioButton>(form, QString::fromLatin1(option));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void clickRow(QListWidget &list, int row)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

} // namespace

class PageWidgetsTest : public QObject
{
    Q_OBJECT

private:
    WidgetsFixture f;

    QString text(const QString &key) const { return f.context.localization.localizedStringForKey(key); }

private slots:
    void initTestCase() { HMLocalization::sharedInstance().setLanguage(QStringLiteral("EN")); }

    void setFormShowsTheFirstFailure()
    {
        auto step = std::make_unique<Setup_PasswordView>(f.context);
        std::unique_ptr<QWidget> page(f.factory.makePage(*step, nullptr));
        QVERIFY(page);
        page->show();
        // Before the recorder answered: the set form, Next off, no Reset.
        auto *content = find<QStackedWidget>(*page, "boxContent");
        QCOMPARE(content->currentWidget()->objectName(), QStringLiteral("setPasswordView"));
        QVERIFY(!find<QPushButton>(*page, "btNext")->isEnabled());
        QVERIFY(!find<QPushButton>(*page, "btReset")->isVisible());

        QWidget &form = *content->currentWidget(); // both forms name their fields alike
        auto *password = find<QLineEdit>(form, "edPassword");
        auto *message = find<QLabel>(form, "lbMessage");
        QVERIFY(!message->isVisible());
        QTest::keyClicks(password, QStringLiteral("ab_12"));
        QCOMPARE(step->setForm().edPassword(), QStringLiteral("ab_12"));
        emit password->editingFinished(); // leaving the field checks it at once
        QVERIFY(message->isVisible());
        // The rule it breaks, in the shipped English.
        QCOMPARE(message->text(), QStringLiteral("Error: Use only letters and digits, without spaces or symbols."));
        QVERIFY(password->property("marked").toBool());

        // A mismatch marks the confirmation instead.
        password->clear();
        QTest::keyClicks(password, QStringLiteral("secret1"));
        QTest::keyClicks(find<QLineEdit>(form, "edConfirmPassword"), QStringLiteral("secret2"));
        QVERIFY(!step->setForm().checkPassword());
        QCOMPARE(message->text(), PasswordMessages::asError(f.context, text(PasswordMessages::kMismatch)));
        QVERIFY(!password->property("marked").toBool());
        QVERIFY(find<QLineEdit>(form, "edConfirmPassword")->property("marked").toBool());
    }

    void confirmFormFollowsTheChangeBox()
    {
        auto step = std::make_unique<Setup_PasswordView>(f.context);
        ConfirmPasswordForm form(step->confirmForm());
        form.show();
        auto *newPassword = find<QLineEdit>(form, "edNewPassword");
        QVERIFY(!newPassword->isVisible());
        find<QCheckBox>(form, "cbChangePassword")->click();
        QVERIFY(step->confirmForm().getChangePasswordChecked());
        QVERIFY(newPassword->isVisible());

        QTest::keyClicks(newPassword, QStringLiteral("a"));
        QVERIFY(!step->confirmForm().checkNewPassword());
        auto *newMessage = find<QLabel>(form, "lbNewMessage");
        QVERIFY(newMessage->isVisible());
        // Typing anywhere clears the messages.
        QTest::keyClicks(find<QLineEdit>(form, "edPassword"), QStringLiteral("x"));
        QVERIFY(!newMessage->isVisible());
        QCOMPARE(step->confirmForm().edPassword(), QStringLiteral("x"));

        step->confirmForm().setInputsEnabled(false);
        QVERIFY(!newPassword->isEnabled());
        QVERIFY(!find<QPushButton>(form, "btSearchCamera")->isEnabled());
    }

    // The options by the arrow keys, the terms box by Space, as a keyboard
    // user reaches them with Tab.
    void formByKeys()
    {
        Setup_NimboraContentView form(f.context);
        CloudStep step;
        form.setDelegate(&step);
        NimboraForm widget(form);
        widget.show();
        QApplication::setActiveWindow(&widget);
        auto *already = find<QRadioButton>(widget, "btAlreadyHave");
        already->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(already->hasFocus());
        QTest::keyClick(already, Qt::Key_Down);
        QCOMPARE(form.getSelectedIndex(), int(Setup_NimboraContentView::CreateOne));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(form.getSelectedIndex(), int(Setup_NimboraContentView::Pass));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(form.getSelectedIndex(), int(Setup_NimboraContentView::CreateOne));
        auto *check = find<QCheckBox>(widget, "btCheck");
        for (int tab = 0; tab < 10 && QApplication::focusWidget() != check; ++tab)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), check);
        QTest::keyClick(check, Qt::Key_Space);
        QVERIFY(form.termsChecked());
        QCOMPARE(step.next.last(), true);
    }

    void formFollowsTheUser()
    {
        Setup_NimboraContentView form(f.context);
        CloudStep step;
        form.setDelegate(&step);
        NimboraForm widget(form);
        widget.show();
        auto *mail = find<QLineEdit>(widget, "edMail");
        auto *password = find<QLineEdit>(widget, "edPassword");
        auto *firstName = find<QLineEdit>(widget, "edFirstName");
        auto *check = find<QCheckBox>(widget, "btCheck");
        QVERIFY(find<QRadioButton>(widget, "btAlreadyHave")->isChecked());
        QVERIFY(mail->isVisible() && password->isVisible());
        QVERIFY(!firstName->isVisible() && !check->isVisible());

        choose(widget, "btCreateOne");
        QCOMPARE(form.getSelectedIndex(), int(Setup_NimboraContentView::CreateOne));
        QVERIFY(firstName->isVisible() && check->isVisible());
        QCOMPARE(step.next.last(), false);
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(form.termsChecked());
        QCOMPARE(step.next.last(), true);

        QTest::keyClicks(mail, QStringLiteral("ana@example.com"));
        QTest::keyClicks(password, QStringLiteral("Secret7"));
        QCOMPARE(form.getMail(), QStringLiteral("ana@example.com"));
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QVERIFY(!form.chkAccount()); // the repeated password is missing
        auto *error = find<QLabel>(widget, "lbErrorMsg");
        QVERIFY(error->isVisible());
        QCOMPARE(
            error->text(), HMLocalization::sharedInstance().localizedStringForKey(QStringLiteral("SetupSetPwd Msg2")));
        QVERIFY(find<QLabel>(widget, "passwordRecla")->isVisible());
        QVERIFY(!find<QLabel>(widget, "mailRecla")->isVisible());
        QVERIFY(password->property("marked").toBool());
        QTest::keyClicks(firstName, QStringLiteral("A"));
        QVERIFY(!error->isVisible()); // any edit hides it
        QVERIFY(!password->property("marked").toBool());

        choose(widget, "btPass");
        QVERIFY(!mail->isVisible() && !firstName->isVisible());
        QCOMPARE(mail->text(), QString()); // the fields were emptied
        form.setInputsEnabled(false);
        QVERIFY(!find<QRadioButton>(widget, "btAlreadyHave")->isEnabled());
    }

    void termsLinkOpensTheAgreement()
    {
        Setup_NimboraContentView form(f.context);
        NimboraForm widget(form);
        widget.show();
        form.onSelectorChange(Setup_NimboraContentView::CreateOne);
        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = dialog->objectName();
            dialog->reject();
        });
        QTest::mouseClick(find<QPushButton>(widget, "btShowEula"), Qt::LeftButton);
        QVERIFY(!shown.isEmpty());
    }

    void pageWaitsForTheRecorder()
    {
        Setup_NimboraView step(f.context);
        step.setDelegate(nullptr, nullptr, QStringLiteral("admin"), QString());
        std::unique_ptr<QWidget> page(f.factory.makePage(step, nullptr));
        QVERIFY(page);
        page->show();
        step.viewDidAppear();
        QCOMPARE(
            find<QStackedWidget>(*page, "boxContent")->currentWidget()->objectName(), QStringLiteral("messageView"));
        QVERIFY(!find<QPushButton>(*page, "btBack")->isEnabled());
        QVERIFY(!find<QPushButton>(*page, "btNext")->isEnabled());
    }

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

QTEST_MAIN(PageWidgetsTest)
#include "tst_pagewidgets.moc"
