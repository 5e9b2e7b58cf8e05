#include "steps/DiagCheckNVRInternet.h"
#include "steps/Setup_SearchNvrView.h"
#include "widgets/NetcheckDialogs.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/SearchNvrPage.h"
#include "widgets/WidgetFactory.h"

void registerSearchWidgets(WidgetFactory &factory)
{
    factory.registerPage(QStringLiteral("searchNVR"), [](PageController &page, QWidget *parent) {
        return new SearchNvrPage(static_cast<Setup_SearchNvrView &>(page), parent);
    });
    factory.registerDialog(QStringLiteral("DiagCheckNVRInternet"), [](DialogController &dialog, QWidget *parent) {
        return new CheckNvrInternetDialog(static_cast<DiagCheckNVRInternet &>(dialog), parent);
    });
}
