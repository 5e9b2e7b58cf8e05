#include "WidgetsFixture.h"
#include "app/AppDelegate.h"
#include "widgets/GreyOverlay.h"
#include "widgets/MainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real window over the shipped language files: clicks reach the
// controllers and the window follows what they say.
class ShellWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void startLeadsToTheGuide();
    void overlayFollowsDialogs();
};

namespace {

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

struct Window : WidgetsFixture
{
    AppDelegate shell {context};
    MainWindow *window = nullptr;

    Window()
    {
        window = new MainWindow(shell, context, factory);
        modal.setMainWindow(window);
        window->show();
        shell.awakeFromNib();
    }
    ~Window() { delete window; }

    template<typename T> T *find(const QString &name) const { return window->findChild<T *>(name); }
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

} // namespace

void ShellWidgetsTest::startLeadsToTheGuide()
{
    Window w;
    auto *start = w.find<QPushButton>(QStringLiteral("btnStart"));
    QVERIFY(start && start->isVisible());
    QCOMPARE(start->text(), QStringLiteral("Start"));
    QCOMPARE(w.visiblePhase(), -1);
    // The welcome page: the trademark line on the header, Exit alone in the help bar.
    auto *tradeMark = w.find<QLabel>(QStringLiteral("tradeMark"));
    QVERIFY(tradeMark->isVisible() && !tradeMark->text().isEmpty());
    QTRY_VERIFY2(darkPixels(*tradeMark) > 50, "the trademark line does not stand out from its band");
    QVERIFY(w.find<QPushButton>(QStringLiteral("exit"))->isVisible());
    QVERIFY(!w.find<QPushButton>(QStringLiteral("about"))->isVisible());
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(w.shell.contentBox().current()->pageKey(), QStringLiteral("install"));
    // The guide shows its own phase, not the setup page's.
    QCOMPARE(w.visiblePhase(), 0);
    auto *next = w.find<QPushButton>(QStringLiteral("btnNext"));
    QVERIFY(next && next->isVisible());
    QVERIFY(w.find<QPushButton>(QStringLiteral("about"))->isVisible());
    QVERIFY(w.find<QPushButton>(QStringLiteral("exit"))->isVisible());
    QVERIFY(!w.find<QPushButton>(QStringLiteral("adobe"))->isVisible());
}

void ShellWidgetsTest::overlayFollowsDialogs()
{
    Window w;
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("btnStart")), Qt::LeftButton);
    bool dimmedWhileOpen = false;
    bool closed = false;
    // The About dialog runs in its own loop: act from inside it.
    QTimer::singleShot(50, &w.shell, [&] {
        dimmedWhileOpen = w.overlay()->isVisible() && qFuzzyCompare(w.overlay()->opacity(), 0.8);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String("DiagAbout") && top->isVisible()) {
                QTest::mouseClick(top->findChild<QPushButton *>(QStringLiteral("btClose")), Qt::LeftButton);
                closed = true;
            }
        }
    });
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("about")), Qt::LeftButton);
    QVERIFY(closed);
    QVERIFY(dimmedWhileOpen);
    QVERIFY(!w.overlay()->isVisible());

    w.notifications.post(
        Notifications::greyViewCovered, nullptr, {{Notifications::greyViewCovered, QStringLiteral("YES2")}});
    QVERIFY(w.overlay()->isVisible());
    QCOMPARE(w.overlay()->opacity(), 0.2);
}

QTEST_MAIN(ShellWidgetsTest)
#include "tst_shellwidgets.moc"
