#include "steps/DiagResetNVR.h"
#include "steps/Setup_PasswordView.h"
#include "widgets/PasswordPage.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/ResetNvrDialog.h"
#include "widgets/WidgetFactory.h"

void registerPasswordWidgets(WidgetFactory &factory)
{
    factory.registerPage(QStringLiteral("password"), [](PageController &page, QWidget *parent) {
        return new PasswordPage(static_cast<Setup_PasswordView &>(page), parent);
    });
    factory.registerDialog(QStringLiteral("DiagResetNVR"), [](DialogController &dialog, QWidget *parent) {
        return new ResetNvrDialog(static_cast<DiagResetNVR &>(dialog), parent);
    });
}
