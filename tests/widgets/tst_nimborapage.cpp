// The cloud step's widgets: the form's options, fields, terms box and link
// reach the controller, and its markers and error text show on screen; the
// page waits with Back and Next off until the recorder has answered.
#include "WidgetsFixture.h"
#include "steps/Setup_NimboraView.h"
#include "widgets/NimboraForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

namespace {

struct Step : Setup_NimboraContentViewDelegate
{
    QList<bool> next;
    void enableNext(bool enabled) override { next << enabled; }
    void enableNextButton(bool checked) override { next << checked; }
};

template<typename T> T *find(QWidget &in, const char *name)
{
    return in.findChild<T *>(QString::fromLatin1(name));
}

// On its mark: the button stretches across the form, its text does not.
void choose(QWidget &form, const char *option)
{
    auto *button = find<QRadioButton>(form, option);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

} // namespace

class NimboraPageTest : public QObject
{
    Q_OBJECT

private:
    WidgetsFixture f;

private slots:
    void initTestCase() { HMLocalization::sharedInstance().setLanguage(QStringLiteral("EN")); }

    // The options by the arrow keys, the terms box by Space, as a keyboard
    // user reaches them with Tab.
    void formByKeys()
    {
        Setup_NimboraContentView form(f.context);
        Step step;
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
        Step step;
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
};

QTEST_MAIN(NimboraPageTest)
#include "tst_nimborapage.moc"
