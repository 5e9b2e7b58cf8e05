#include "guide/DiagLEDStateRed.h"
#include "guide/DiagMacAddress.h"
#include "guide/DiagReset.h"
#include "guide/InstallView.h"
#include "widgets/GuideDialogs.h"
#include "widgets/InstallPage.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WidgetFactory.h"

void registerGuideWidgets(WidgetFactory &factory)
{
    factory.registerPage(QStringLiteral("install"), [](PageController &page, QWidget *parent) {
        return new InstallPage(static_cast<InstallView &>(page), parent);
    });
    factory.registerDialog(QStringLiteral("DiagLEDStateRed"), [](DialogController &dialog, QWidget *parent) {
        return new LedStateRedDialog(static_cast<DiagLEDStateRed &>(dialog), parent);
    });
    factory.registerDialog(QStringLiteral("DiagReset"), [](DialogController &dialog, QWidget *parent) {
        return new ResetDialog(static_cast<DiagReset &>(dialog), parent);
    });
    factory.registerDialog(QStringLiteral("DiagMacAddress"), [](DialogController &dialog, QWidget *parent) {
        return new MacAddressDialog(static_cast<DiagMacAddress &>(dialog), parent);
    });
}
