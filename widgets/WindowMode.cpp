#include "widgets/WindowMode.h"
#include "app/AppDelegate.h"
#include "core/HMLocalization.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "widgets/MainWindow.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WidgetFactory.h"
#include "widgets/WidgetModalHost.h"
#include "widgets/WizardStyle.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

int runWindowMode(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(NVR_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(NVR_APP_ID)));
    applyWizardStyle(app);

    WidgetFactory factory;
    registerAllWidgets(factory);
    NotificationCenter notifications;
    WidgetModalHost modal(factory);
    DesktopUrlOpener urls;
    WizardContext context {
        notifications, HMLocalization::sharedInstance(), modal, urls, UserFolders::fromEnvironment()};
    AppDelegate shell(context);
    MainWindow window(shell, context, factory);
    modal.setMainWindow(&window);
    QObject::connect(&shell, &AppDelegate::terminateRequested, &app, &QApplication::quit, Qt::QueuedConnection);

    window.show();
    QTimer::singleShot(0, &shell, [&shell] { shell.awakeFromNib(); });
    return app.exec();
}
