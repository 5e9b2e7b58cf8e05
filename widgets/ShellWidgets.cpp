#include "app/DiagAbout.h"
#include "app/WelcomeView.h"
#include "widgets/AboutDialog.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WelcomePage.h"
#include "widgets/WidgetFactory.h"

void registerShellWidgets(WidgetFactory &factory)
{
    factory.registerPage(QStringLiteral("welcome"), [](PageController &page, QWidget *parent) {
        return new WelcomePage(static_cast<WelcomeView &>(page), parent);
    });
    factory.registerDialog(QStringLiteral("DiagAbout"), [](DialogController &dialog, QWidget *parent) {
        return new AboutDialog(static_cast<DiagAbout &>(dialog), parent);
    });
}
