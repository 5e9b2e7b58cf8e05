#include "app/DiagAbout.h"
#include "app/core/DiagShowEula.h"
#include "app/SetupView.h"
#include "app/WelcomeView.h"
#include "widgets/AboutDialog.h"
#include "widgets/EulaDialog.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/SetupPage.h"
#include "widgets/WelcomePage.h"
#include "widgets/WidgetFactory.h"

void registerShellWidgets(WidgetFactory &factory)
{
    factory.registerPage(QStringLiteral("welcome"), [](PageController &page, QWidget *parent) {
        return new WelcomePage(static_cast<WelcomeView &>(page), parent);
    });
    // The setup page's steps come from the same factory.
    factory.registerPage(QStringLiteral("setup"), [&factory](PageController &page, QWidget *parent) {
        return new SetupPage(static_cast<SetupView &>(page), factory, parent);
    });
    factory.registerDialog(QStringLiteral("DiagAbout"), [](DialogController &dialog, QWidget *parent) {
        return new AboutDialog(static_cast<DiagAbout &>(dialog), parent);
    });
    factory.registerDialog(QStringLiteral("DiagShowEula"), [](DialogController &dialog, QWidget *parent) {
        return new EulaDialog(static_cast<DiagShowEula &>(dialog), parent);
    });
}
