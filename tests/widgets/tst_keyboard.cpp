// The real window, its pages and dialogs without a recorder: what clicks and
// typing show; by keys alone, focus, Return, Escape and Tab order; the audit.
#include "FakeNetwork.h"
#include "KeyFocus.h"
#include "WidgetsFixture.h"
#include "app/AppDelegate.h"
#include "app/DiagAbout.h"
#include "app/DiagExit.h"
#include "app/SetupView.h"
#include "app/SummaryView.h"
#include "core/DiagShowEula.h"
#include "core/ShellDelegate.h"
#include "guide/DiagLEDStateRed.h"
#include "guide/DiagMacAddress.h"
#include "guide/DiagReset.h"
#include "platform/Log.h"
#include "steps/DiagCheckNVRInternet.h"
#include "steps/DiagHddConfirm.h"
#include "steps/DiagHddFormat.h"
#include "steps/DiagResetNVR.h"
#include "steps/DiagUnreachable.h"
#include "steps/DiagVerifyPassword.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_NimboraContentView.h"
#include "steps/Setup_NimboraView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SearchNvrView.h"
#include "steps/Setup_TimeZoneView.h"
#include "widgets/AccessAudit.h"
#include "widgets/GreyOverlay.h"
#include "widgets/MainWindow.h"
#include "widgets/NimboraForm.h"
#include "widgets/PasswordForms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>

Q_DECLARE_METATYPE(SetupSummary)

namespace {

constexpr int kWaitMs = 5000;

// Every callback a dialog can make, as one log.
struct Delegates : DiagLEDStateRedDelegate,
                   DiagResetDelegate,
                   DiagCheckNVRInternetDelegate,
                   DiagHddFormatDelegate,
                   DiagHddConfirmDelegate,
                   DiagResetNVRDelegate
{
    QStringList calls;
    void openResetWindow() override { calls << QStringLiteral("openResetWindow"); }
    void reOpenDiagLEDStateRED() override { calls << QStringLiteral("reOpenDiagLEDStateRED"); }
    void noteResettingClicked() override { calls << QStringLiteral("noteResettingClicked"); }
    void toRetry() override { calls << QStringLiteral("toRetry"); }
    void toSkip() override { calls << QStringLiteral("toSkip"); }
    void toFormat() override { calls << QStringLiteral("toFormat"); }
    void notToFormat() override { calls << QStringLiteral("notToFormat"); }
    void toRescan() override { calls << QStringLiteral("toRescan"); }
    void performResetReadyToCheckUser(const QString &user, const QString &password) override
    {
        calls << QStringLiteral("performResetReadyToCheckUser %1 %2").arg(user, password);
    }
    void cancelResetNVR() override { calls << QStringLiteral("cancelResetNVR"); }
};

template<typename T> T *find(QWidget &in, const char *name)
{
    return in.findChild<T *>(QString::fromLatin1(name));
}

using DialogMaker = std::function<std::unique_ptr<DialogController>(WizardContext &, Delegates &)>;
using StepMaker = std::function<std::unique_ptr<RecorderStep>(WizardContext &)>;

template<typename D> std::unique_ptr<DialogController> withDelegates(WizardContext &context, Delegates &delegates)
{
    auto dialog = std::make_unique<D>(context);
    dialog->setDelegate(&delegates);
    return dialog;
}

struct Window : WidgetsFixture
{
    AppDelegate shell {context};
    std::unique_ptr<MainWindow> window;
    QList<bool> dimmed; // the overlay's changes, from hidden

    Window()
    {
        window = std::make_unique<MainWindow>(shell, context, factory);
        modal.setMainWindow(window.get());
        window->show();
        shell.awakeFromNib();
        QObject::connect(&shell, &AppDelegate::changed, [this] {
            if (dimmed.value(dimmed.size() - 1) != shell.isGreyViewVisible())
                dimmed << shell.isGreyViewVisible();
        });
    }

    GreyOverlay *overlay() const { return window->findChild<GreyOverlay *>(); }
    // The highlighted phase beside the shown page, or -1 when none is shown.
    int visiblePhase() const
    {
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->isVisible() && label->property("current").toBool())
                return label->objectName().right(1).toInt();
        }
        return -1;
    }
};

// Pixels clearly darker than the white header band: the drawn letters.
int darkPixels(QWidget &widget)
{
    const QImage image = widget.grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return dark;
}

// Acts, from inside the dialog's own loop, once an open dialog has the focus.
void whenDialogHasFocus(QObject *owner, const std::function<void(QWidget &dialog)> &act)
{
    onceReady(
        owner,
        [] {
            QWidget *modal = QApplication::activeModalWidget();
            return modal && focus() && modal->isAncestorOf(focus());
        },
        [act] { act(*QApplication::activeModalWidget()); });
}

// Runs the dialog; once it has the focus, the focused control's name, then
// act, whose keys must close it.
QString runWithKeys(Window &w, DialogController &dialog, const std::function<void()> &act)
{
    QString firstFocus = QStringLiteral("(dialog never had the focus)");
    whenDialogHasFocus(w.window.get(), [&](QWidget &) {
        firstFocus = focusName();
        act();
    });
    // Keys that closed nothing must not leave the test stuck in the loop.
    QTimer::singleShot(kWaitMs, &dialog, [&] {
        firstFocus = QStringLiteral("(still open)");
        dialog.stopModal();
    });
    w.modal.runModal(dialog);
    return firstFocus;
}

struct Shell : ShellDelegate
{
    int finished = 0;
    void finishWizard() override { ++finished; }
};

// A recorder's discovery record with this address in a /24.
TVexorReply recorderAt(const std::array<uint8_t, 4> &address)
{
    TVexorReply recorder {};
    std::copy(address.begin(), address.end(), recorder.ipAddress);
    std::fill_n(recorder.subnetMask, 3, uint8_t(255));
    return recorder;
}

void clickRow(QListWidget &list, int row)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { HMLocalization::sharedInstance().setLanguage(QStringLiteral("EN")); }

    // The welcome page's trademark line and help bar; the guide's own.
    void welcomeAndGuideByKeys()
    {
        Window w;
        auto *tradeMark = find<QLabel>(*w.window, "tradeMark");
        QVERIFY(tradeMark->isVisible() && !tradeMark->text().isEmpty());
        QTRY_VERIFY2(darkPixels(*tradeMark) > 50, "the trademark line does not stand out from its band");
        QCOMPARE(w.visiblePhase(), -1);
        QTRY_VERIFY2(focusIs("cbSelectLanguage"), qPrintable(focusName()));
        auto *languages = find<QComboBox>(*w.window, "cbSelectLanguage");
        const QString english = languages->accessibleName();
        // The arrow keys choose a language at once, and the names follow it.
        key(Qt::Key_Down);
        QCOMPARE(w.context.localization.getLanguage(), QStringLiteral("TW"));
        QVERIFY(languages->accessibleName() != english);
        key(Qt::Key_Up);
        QCOMPARE(w.context.localization.getLanguage(), QStringLiteral("EN"));
        QCOMPARE(languages->accessibleName(), english);

        key(Qt::Key_Return); // Start, from the language list
        QCOMPARE(w.shell.contentBox().current()->pageKey(), QStringLiteral("install"));
        QCOMPARE(w.visiblePhase(), 0);
        QVERIFY(find<QWidget>(*w.window, "about")->isVisible() && find<QWidget>(*w.window, "exit")->isVisible()
            && !find<QWidget>(*w.window, "adobe")->isVisible());
        QTRY_VERIFY2(focusIs("btnNext"), qPrintable(focusName()));
        for (int press = 0; press < 4; ++press)
            key(Qt::Key_Return);
        // The last sub-page: its tip link, Back and Next, in reading order.
        auto *tip = find<QPushButton>(*w.window, "btnTip");
        QTRY_VERIFY(tip->isVisible());
        QVERIFY(focusIs("btnNext"));
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY2(focusIs("btnBack"), qPrintable(focusName()));
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY2(focusIs("btnTip"), qPrintable(focusName()));
        key(Qt::Key_Tab);
        key(Qt::Key_Tab);
        QVERIFY(focusIs("btnNext"));
        // After the page, the help bar.
        key(Qt::Key_Tab);
        QVERIFY2(focusIs("troubleshooting"), qPrintable(focusName()));

        // Return on a focused button presses that one, not Next.
        find<QPushButton>(*w.window, "btnBack")->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Return);
        QCOMPARE(w.shell.contentBox().current()->pageKey(), QStringLiteral("install"));
        QVERIFY(!tip->isVisible());

        // The help bar's About by Space; Escape closes it.
        QVERIFY2(tabTo("about"), qPrintable(focusName()));
        QString inside;
        bool dimmed = false; // the grey overlay over the window, at the opacity the dialog asks for
        whenDialogHasFocus(w.window.get(), [&](QWidget &dialog) {
            dimmed = w.overlay()->isVisible() && qFuzzyCompare(w.overlay()->opacity(), 0.8);
            inside = dialog.objectName();
            key(Qt::Key_Escape);
        });
        key(Qt::Key_Space); // the button, as the user presses it
        QCOMPARE(inside, QStringLiteral("DiagAbout"));
        QVERIFY(dimmed);
        QVERIFY(!w.overlay()->isVisible());
        QCOMPARE(w.dimmed, (QList<bool> {true, false}));
        // A camera preview dims it lightly.
        w.modal.setDimming(Dimming::Light);
        QVERIFY(w.overlay()->isVisible());
        QCOMPARE(w.overlay()->opacity(), 0.2);
    }

    void dialogsByKeys_data()
    {
        QTest::addColumn<DialogMaker>("make");
        QTest::addColumn<int>("keyPressed");
        QTest::addColumn<QString>("firstFocus");
        QTest::addColumn<QStringList>("calls");

        const QStringList none;
        const DialogMaker about = [](auto &c, auto &) { return std::make_unique<DiagAbout>(c); };
        const DialogMaker eula = [](auto &c, auto &) { return std::make_unique<DiagShowEula>(c); };
        const DialogMaker led = withDelegates<DiagLEDStateRed>;
        const DialogMaker reset = withDelegates<DiagReset>;
        const DialogMaker mac
            = [](auto &c, auto &) { return std::make_unique<DiagMacAddress>(c, QStringLiteral("00:1c:27:00:00:01")); };
        const DialogMaker internet = [](auto &c, auto &d) { return std::make_unique<DiagCheckNVRInternet>(c, &d); };
        const DialogMaker format
            = [](auto &c, auto &d) { return std::make_unique<DiagHddFormat>(c, d, THddInfoList {}); };
        const DialogMaker noDisk = [](auto &c, auto &d) { return std::make_unique<DiagHddConfirm>(c, d); };
        const DialogMaker resetNvr = [](auto &c, auto &d) { return std::make_unique<DiagResetNVR>(c, d, true); };
        const DialogMaker unreachable
            = [](auto &c, auto &) { return std::make_unique<DiagUnreachable>(c, QStringLiteral("why")); };

        // A row for Escape and, when enter is given, one for Return.
        const auto rows = [](const char *name, const DialogMaker &make, const char *first, const QStringList &escape,
                              const std::optional<QStringList> &enter) {
            QTest::addRow("%s Escape", name) << make << int(Qt::Key_Escape) << QString::fromLatin1(first) << escape;
            if (enter)
                QTest::addRow("%s Return", name) << make << int(Qt::Key_Return) << QString::fromLatin1(first) << *enter;
        };
        // Escape is the window's close control; Return the default button.
        rows("about", about, "btClose", none, none);
        rows("licence", eula, "textView", none, none);
        rows("status light", led, "btClose", none, none);
        rows("reset help", reset, "btClose", none, QStringList {QStringLiteral("reOpenDiagLEDStateRED")});
        rows("MAC", mac, "btClose", none, std::nullopt);
        rows("recorder internet", internet, "btOK", none, QStringList {QStringLiteral("toRetry")});
        // Erasing is never what Return or Escape does.
        const QStringList notToFormat {QStringLiteral("notToFormat")}, toRescan {QStringLiteral("toRescan")};
        rows("format", format, "btCancel", notToFormat, notToFormat);
        rows("no disk", noDisk, "btOk", toRescan, toRescan);
        rows("reset account", resetNvr, "edAccount", {QStringLiteral("cancelResetNVR")}, std::nullopt);
        // Going on to a recorder that cannot be reached takes a click.
        rows("unreachable", unreachable, "btCancel", none, none);
    }
    void dialogsByKeys()
    {
        QFETCH(DialogMaker, make);
        QFETCH(int, keyPressed);
        QFETCH(QString, firstFocus);
        QFETCH(QStringList, calls);
        Window w;
        Delegates delegates;
        std::unique_ptr<DialogController> dialog = make(w.context, delegates);
        const QString focused = runWithKeys(w, *dialog, [&] { key(Qt::Key(keyPressed)); });
        QCOMPARE(focused, firstFocus);
        QVERIFY(dialog->isModalStopped());
        QCOMPARE(delegates.calls, calls);
        // Every dialog dims the window while open, and undims it once, unless
        // it hands the window on to a dialog that follows.
        QCOMPARE(w.dimmed, (dialog->handsOn() ? QList<bool> {true} : QList<bool> {true, false}));
    }

    // The password forms show what their step says: failures, marks, fields.
    void passwordFormsFollowTheUser()
    {
        WidgetsFixture f;
        Setup_PasswordView step(f.context);
        std::unique_ptr<QWidget> page(f.factory.makePage(step, nullptr));
        page->show();
        auto *content = find<QStackedWidget>(*page, "boxContent");
        QCOMPARE(content->currentWidget()->objectName(), QStringLiteral("setPasswordView"));
        QVERIFY(!find<QPushButton>(*page, "btNext")->isEnabled() && !find<QPushButton>(*page, "btReset")->isVisible());
        auto *password = find<QLineEdit>(*content->currentWidget(), "edPassword");
        auto *confirm = find<QLineEdit>(*content->currentWidget(), "edConfirmPassword");
        auto *message = find<QLabel>(*content->currentWidget(), "lbMessage");
        QVERIFY(!message->isVisible());
        QTest::keyClicks(password, QStringLiteral("ab_12"));
        emit password->editingFinished(); // leaving the field checks it at once
        QVERIFY(message->isVisible() && password->property("marked").toBool());
        QCOMPARE(message->text(), step.setForm().lbMessage());
        password->clear();
        QTest::keyClicks(password, QStringLiteral("secret1"));
        QTest::keyClicks(confirm, QStringLiteral("secret2"));
        QVERIFY(!step.setForm().checkPassword());
        QVERIFY(!password->property("marked").toBool() && confirm->property("marked").toBool());

        ConfirmPasswordForm form(step.confirmForm());
        form.show();
        auto *newPassword = find<QLineEdit>(form, "edNewPassword");
        QVERIFY(!newPassword->isVisible());
        find<QCheckBox>(form, "cbChangePassword")->click();
        QVERIFY(step.confirmForm().getChangePasswordChecked() && newPassword->isVisible());
        QTest::keyClicks(newPassword, QStringLiteral("a"));
        QVERIFY(!step.confirmForm().checkNewPassword());
        auto *newMessage = find<QLabel>(form, "lbNewMessage");
        QVERIFY(newMessage->isVisible());
        QTest::keyClicks(find<QLineEdit>(form, "edPassword"), QStringLiteral("x"));
        QVERIFY(!newMessage->isVisible()); // typing anywhere clears the messages
        QCOMPARE(step.confirmForm().edPassword(), QStringLiteral("x"));
        step.confirmForm().setInputsEnabled(false);
        QVERIFY(!newPassword->isEnabled() && !find<QPushButton>(form, "btSearchCamera")->isEnabled());
    }

    // The cloud form by keys: options, terms, fields, failures and marks.
    void cloudFormFollowsTheUser()
    {
        WidgetsFixture f;
        Setup_NimboraContentView form(f.context);
        NimboraForm widget(form);
        widget.show();
        QApplication::setActiveWindow(&widget);
        auto *already = find<QRadioButton>(widget, "btAlreadyHave");
        auto *mail = find<QLineEdit>(widget, "edMail");
        auto *password = find<QLineEdit>(widget, "edPassword");
        auto *firstName = find<QLineEdit>(widget, "edFirstName");
        QVERIFY(already->isChecked() && mail->isVisible() && !firstName->isVisible());
        already->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(already->hasFocus());
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        QCOMPARE(form.getSelectedIndex(), int(Setup_NimboraContentView::Pass));
        QVERIFY(!mail->isVisible() && !firstName->isVisible());
        key(Qt::Key_Up);
        QCOMPARE(form.getSelectedIndex(), int(Setup_NimboraContentView::CreateOne));
        QVERIFY(mail->isVisible() && firstName->isVisible());
        QVERIFY2(tabTo("btCheck"), qPrintable(focusName()));
        key(Qt::Key_Space);
        QVERIFY(form.termsChecked());

        QTest::keyClicks(mail, QStringLiteral("ana@example.com"));
        QTest::keyClicks(password, QStringLiteral("Secret7"));
        QCOMPARE(form.getMail(), QStringLiteral("ana@example.com"));
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QVERIFY(!form.chkAccount()); // the repeated password is missing
        auto *error = find<QLabel>(widget, "lbErrorMsg");
        QVERIFY(error->isVisible() && error->text() == form.lbErrorMsg());
        QVERIFY(find<QLabel>(widget, "passwordRecla")->isVisible() && !find<QLabel>(widget, "mailRecla")->isVisible());
        QVERIFY(password->property("marked").toBool());
        QTest::keyClicks(firstName, QStringLiteral("A"));
        QVERIFY(!error->isVisible() && !password->property("marked").toBool());

        QString agreement;
        QTimer::singleShot(0, this, [&agreement] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                agreement = dialog->objectName();
                dialog->reject();
            }
        });
        QTest::mouseClick(find<QPushButton>(widget, "btShowEula"), Qt::LeftButton);
        QVERIFY(!agreement.isEmpty());
        form.onSelectorChange(Setup_NimboraContentView::Pass);
        QCOMPARE(mail->text(), QString()); // the fields were emptied
        form.setInputsEnabled(false);
        QVERIFY(!already->isEnabled());
    }

    // What a setup set, on the summary page and in the log; without a
    // recorder nothing to tick, open or remove.
    void summaryShowsTheList_data()
    {
        QTest::addColumn<SetupSummary>("setup");
        QTest::addColumn<QStringList>("cameras");
        SetupSummary cloud {
            QStringLiteral("Nvr-pw1"), QStringLiteral("me@example.com"), QStringLiteral("Cloud-pw1"), {}};
        cloud.facts.cameras = {{2, QStringLiteral("ZB 2100"), {}, {}}, {9, QStringLiteral("47X-10"), {}, {}}};
        QTest::newRow("cloud, cameras on channels 2 and 9") << cloud << QStringList {"ZB 2100", "47X-10"};
        QTest::newRow("nothing set: twelve none") << SetupSummary {} << QStringList {};
    }
    void summaryShowsTheList()
    {
        QFETCH(SetupSummary, setup);
        QFETCH(QStringList, cameras);
        WidgetsFixture f;
        QStringList log;
        Log::setSink([&log](const QString &line) { log << line; });
        SummaryView summary(f.context);
        Shell shell;
        summary.setSummary(setup);
        std::unique_ptr<QWidget> page(f.factory.makePage(summary, nullptr));
        page->resize(730, 470);
        page->show();
        summary.viewDidAppear();
        summary.setDelegate(&shell, nullptr, QStringLiteral("admin"), QString());
        Log::setSink({});

        const QStringList list = summary.summaryInfo();
        QCOMPARE(find<QLabel>(*page, "edPass")->text(), list.at(0));
        for (const char *name : {"edMail", "edNimboraPass", "lbCloud"})
            QCOMPARE(find<QLabel>(*page, name)->isVisible(), !setup.cloudEmail.isEmpty());
        for (int i = 0; i < 9; ++i) {
            auto *camera = page->findChild<QLabel *>(QStringLiteral("lbCamera%1").arg(i + 1));
            QCOMPARE(camera != nullptr, i < cameras.size());
            if (camera)
                QVERIFY(camera->text().endsWith(cameras.at(i)));
        }
        QVERIFY(log.contains(QStringLiteral("\n %1 \n").arg(list.at(4))));
        QVERIFY(find<QLabel>(*page, "lbText1")->text().contains(QLatin1String("<b>FINISH</b>")));
        auto *check = find<QCheckBox>(*page, "btCheck");
        QVERIFY(!check->isEnabled() && !check->isChecked());
        QVERIFY(!find<QPushButton>(*page, "btGotoNvr")->isEnabled());
        QVERIFY(summary.networkRows().isEmpty() && !summary.target());
        summary.onCheck(false);
        QVERIFY(summary.shortcutErrors().isEmpty());
        summary.onGotoNvrClicked();
        QVERIFY(f.urls.opened().isEmpty());
        QCOMPARE(summary.recording(), SummaryView::Recording::NotAsked);
        QTest::mouseClick(find<QPushButton>(*page, "btFinish"), Qt::LeftButton);
        QCOMPARE(shell.finished, 1);
    }

    void timeZonePickerFollowsTheUser()
    {
        WidgetsFixture f;
        struct : SetupStepDelegate
        {
            int back = 0;
            void setupTimeZoneBack() override { ++back; }
        } calls;
        Setup_TimeZoneView step(f.context);
        step.setComputerTimeZoneSource([] { return ComputerTimeZone {QStringLiteral("Asia/Taipei"), 8 * 3600}; });
        step.setDelegate(&calls, nullptr, QStringLiteral("admin"), QString());
        std::unique_ptr<QWidget> page(f.factory.makePage(step, nullptr));
        page->resize(730, 470);
        page->show();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        const QString proposal = QStringLiteral("(GMT+08:00) Beijing, Hong Kong, Singapore, Taipei");
        auto *zone = find<QPushButton>(*page, "btTimeZone");
        auto *autoZone = find<QCheckBox>(*page, "autoTimeZone");
        auto *list = find<QListWidget>(*page, "timeZoneListTableView");
        QCOMPARE(zone->text(), proposal);
        QVERIFY(autoZone->isChecked() && !list->isVisible());

        // Typing searches the wizard's list; the row clicked is the zone.
        QTest::keyClicks(find<QLineEdit>(*page, "edTimeZone"), QStringLiteral("BRAS\u00cdLIA"));
        QVERIFY(list->isVisible() && !autoZone->isChecked());
        QCOMPARE(list->count(), 1);
        clickRow(*list, 0);
        QCOMPARE(zone->text(), QStringLiteral("(GMT-03:00) Brasilia, Buenos Aires"));
        QVERIFY(!list->isVisible() && !zone->isChecked());

        // The focus went where Return goes on (without a recorder, the zone
        // button), never to Back.
        QVERIFY2(focusIs("btTimeZone"), qPrintable(focusName()));
        key(Qt::Key_Return);
        QCOMPARE(calls.back, 0);
        // The zone button opens the list, a click beside it closes it.
        QTest::mouseClick(zone, Qt::LeftButton);
        QVERIFY(list->isVisible() && zone->isChecked());
        QWidget *picker = find<QWidget>(*page, "timeZoneView");
        QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 5, picker->height() - 5));
        QVERIFY(!list->isVisible() && !zone->isChecked());

        // The check box brings the computer's zone back, with the whole list.
        QTest::mouseClick(autoZone, Qt::LeftButton, {}, QPoint(8, autoZone->height() / 2));
        QCOMPARE(zone->text(), proposal);
        QVERIFY(autoZone->isChecked());
        QCOMPARE(list->count(), step.timeZoneViewController().timeZoneList().size());
        QCOMPARE(list->currentItem()->text(), proposal);
    }

    // A floating dialog takes the keys; Escape cancels and gives them back.
    void floatingDialogByKeys()
    {
        Window w;
        QTRY_VERIFY(focusIs("cbSelectLanguage"));
        struct : CameraPasswordDialogDelegate
        {
            int ended = 0;
            void endDialog() override { ++ended; }
        } list;
        DiagVerifyPassword dialog(w.context);
        dialog.setDelegate(&list, std::make_shared<TCameraInfo>());
        w.modal.showFloating(dialog);
        QTRY_VERIFY2(focusIs("edPwd"), qPrintable(focusName()));
        QTest::keyClicks(focus(), QStringLiteral("typed"));
        key(Qt::Key_Escape);
        QVERIFY(dialog.isModalStopped());
        QCOMPARE(list.ended, 1);
        QTRY_VERIFY2(focusIs("cbSelectLanguage"), qPrintable(focusName()));
    }

    // A recorder the computer sends to over the wrong link: the line under the
    // list names the links as people know them, and Next asks before going on.
    void unreachableRecorderAskedFirst()
    {
        WidgetsFixture f;
        f.context.network = std::make_shared<FakeNetwork>(
            QStringList {"enp3s0 192.168.1.20/24", "wlp2s0 10.1.2.3/24"}, QStringLiteral("wlp2s0"));
        Setup_SearchNvrView step(f.context);
        step.selectNvrView().setSearchDeviceList({recorderAt({192, 168, 1, 50})});
        std::unique_ptr<QWidget> page(f.factory.makePage(step, nullptr));
        page->show();
        emit step.changed();
        QString line; // the list's own line; the step frame's stays empty here
        for (const QLabel *label : page->findChildren<QLabel *>("lbDiagnosis"))
            line += label->text();
        QVERIFY2(line.contains("enp3s0") && line.contains("Wi-Fi (wlp2s0)"), qPrintable(line));
        for (const char *button : {"btCancel", "btGoOn"}) {
            QString asked;
            whenDialogHasFocus(page.get(), [&](QWidget &dialog) {
                asked = dialog.objectName();
                dialog.findChild<QPushButton *>(QString::fromLatin1(button))->click();
            });
            step.onNextClicked();
            QCOMPARE(asked, QStringLiteral("DiagUnreachable"));
            // Only going on picks the recorder.
            QCOMPARE(bool(step.getSelectedDevice()), qstrcmp(button, "btGoOn") == 0);
        }
    }

    // No server on the recorder's port: "Try again" beside the diagnosis sends
    // the step's request once more (its alert closed each time).
    void tryAgainRepeatsTheRequest_data()
    {
        QTest::addColumn<StepMaker>("make");
        QTest::newRow("time zone") << StepMaker([](auto &c) { return std::make_unique<Setup_TimeZoneView>(c); });
        QTest::newRow("camera search") << StepMaker([](auto &c) { return std::make_unique<Setup_SearchCamView>(c); });
        QTest::newRow("cloud reading") << StepMaker([](auto &c) { return std::make_unique<Setup_NimboraView>(c); });
    }
    void tryAgainRepeatsTheRequest()
    {
        QFETCH(StepMaker, make);
        WidgetsFixture f;
        f.context.network = std::make_shared<FakeNetwork>(QStringList {"lo 127.0.0.1/8"}, QStringLiteral("lo"));
        std::unique_ptr<RecorderStep> step = make(f.context);
        step->setDelegate(nullptr, std::make_shared<TVexorReply>(recorderAt({127, 0, 0, 1})), "admin", "pw");
        std::unique_ptr<QWidget> page(f.factory.makePage(*step, nullptr));
        page->show();
        int alerts = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&alerts] {
            if (auto *alert = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                ++alerts;
                alert->accept();
            }
        });
        closer.start(20);
        auto *tryAgain = page->findChild<QPushButton *>("btTryAgain");
        step->viewDidAppear();
        QTRY_VERIFY_WITH_TIMEOUT(tryAgain->isVisible() && alerts == 1, kWaitMs);
        tryAgain->click();
        QVERIFY(!tryAgain->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(tryAgain->isVisible() && alerts == 2, kWaitMs);
    }

    // The window's close control asks before leaving a recorder half set up;
    // an alert opened over that question is a window of its own above it,
    // below its title. Staying is the default; Exit leaves.
    void exitAsksAndAlertsStandAboveTheirOpener()
    {
        Window w;
        w.shell.showSetupView();
        w.shell.contentSetupViewController().setupPasswordNext(QStringLiteral("pw"));
        QSignalSpy terminate(&w.shell, &AppDelegate::terminateRequested);
        QString asked;
        bool overTheQuestion = false;
        bool belowItsTitle = false;
        whenDialogHasFocus(w.window.get(), [&](QWidget &dialog) {
            asked = dialog.objectName();
            onceReady(
                &dialog, [] { return qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); },
                [&] {
                    auto *alert = static_cast<QMessageBox *>(QApplication::activeModalWidget());
                    const auto *title = find<QLabel>(dialog, "dialogTitle");
                    overTheQuestion = alert->parentWidget() == &dialog;
                    belowItsTitle = alert->geometry().top() >= title->mapToGlobal(QPoint(0, title->height())).y();
                    alert->buttons().first()->click();
                });
            w.modal.runAlert(QStringLiteral("Check network Failed"), QStringLiteral("Close"));
            auto *stay = find<QPushButton>(dialog, "btStay");
            QVERIFY(stay->isDefault());
            stay->click();
        });
        w.window->close();
        QCOMPARE(asked, QStringLiteral("DiagExit"));
        QVERIFY(overTheQuestion && belowItsTitle);
        QCOMPARE(terminate.count(), 0);
        QVERIFY(w.window->isVisible());
        whenDialogHasFocus(w.window.get(), [](QWidget &dialog) { find<QPushButton>(dialog, "btLeave")->click(); });
        w.window->close();
        QCOMPARE(terminate.count(), 1);
    }

    // Qt's own dialogs (the report's file dialog) speak the wizard's language.
    void qtTextsFollowTheLanguage()
    {
        Window w;
        const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
        w.shell.switchLanguage(QStringLiteral("JP"));
        QCOMPARE(cancel(), QStringLiteral("\u30ad\u30e3\u30f3\u30bb\u30eb"));
        w.shell.switchLanguage(QStringLiteral("EN"));
        QCOMPARE(cancel(), QStringLiteral("Cancel"));
    }

    // A report saved without a Documents folder goes to the home folder, and
    // the page says where.
    void reportWithoutDocumentsGoesHome()
    {
        QTemporaryDir home;
        WidgetsFixture f({home.path(), {}, home.filePath(QStringLiteral("Documents")), {}});
        SummaryView summary(f.context);
        std::unique_ptr<QWidget> page(f.factory.makePage(summary, nullptr));
        page->show();
        summary.setDelegate(nullptr, nullptr, QStringLiteral("admin"), QString());
        const QString path = summary.defaultReportPath();
        QCOMPARE(QFileInfo(path).path(), home.path());
        summary.onSaveReport(path);
        QVERIFY(QFileInfo(path).size() > 0);
        auto *saved = find<QLabel>(*page, "lbReportSaved");
        QVERIFY(saved->isVisible() && saved->text().endsWith(path));
    }

    // The account and password typed, Return in the password field: OK, once.
    void resetAccountTypedAndSent()
    {
        Window w;
        Delegates delegates;
        DiagResetNVR dialog(w.context, delegates, false);
        runWithKeys(w, dialog, [] { typeTwoThenReturn(QStringLiteral("admin"), nullptr, QStringLiteral("pa ss")); });
        QCOMPARE(delegates.calls, QStringList {QStringLiteral("performResetReadyToCheckUser admin pa ss")});
    }

    // Every screen of the screenshot tool passes the audit.
    void everyScreenNamedAndReachable_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : {"EN", "JP", "RU"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }
    void everyScreenNamedAndReachable()
    {
        QFETCH(QString, language);
        QProcess tool;
        tool.start(
            qEnvironmentVariable("NVR_SHOTS_TOOL"), {QStringLiteral("--audit"), QStringLiteral("--lang"), language});
        QVERIFY2(tool.waitForFinished(60000), "nvrshots --audit did not end");
        const QString report = QString::fromUtf8(tool.readAllStandardOutput());
        QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0, qPrintable(report));
        QVERIFY2(report.contains(QLatin1String(" screens, 0 problems")), qPrintable(report));
    }

    // The audit itself: what it must catch, and what it must let pass.
    void auditCatchesWhatKeysAndReadersMiss()
    {
        QWidget page;
        auto *icon = new QPushButton(&page);
        icon->setObjectName(QStringLiteral("btIcon"));
        auto *table = new QTableWidget(1, 1, &page);
        table->setObjectName(QStringLiteral("tableView"));
        table->setAccessibleName(QStringLiteral("Recorders"));
        table->setFocusPolicy(Qt::NoFocus);
        auto *named = new QPushButton(QStringLiteral("Next"), &page);
        auto *hidden = new QPushButton(&page);
        hidden->hide();
        const QStringList problems = accessProblems(page);
        QCOMPARE(problems.size(), 2);
        QVERIFY2(problems.at(0).contains(QLatin1String("btIcon")) && problems.at(0).contains(QLatin1String("name")),
            qPrintable(problems.join('\n')));
        QVERIFY2(problems.at(1).contains(QLatin1String("tableView")) && problems.at(1).contains(QLatin1String("Tab")),
            qPrintable(problems.join('\n')));

        icon->setAccessibleName(QStringLiteral("Preview"));
        table->setSelectionMode(QAbstractItemView::NoSelection); // nothing to choose: read through its rows
        QVERIFY2(accessProblems(page).isEmpty(), qPrintable(accessProblems(page).join('\n')));
        Q_UNUSED(named);
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
