#include "steps/DiagHddConfirm.h"
#include "steps/DiagHddFormat.h"
#include "steps/Setup_HddView.h"
#include "widgets/HddDialogs.h"
#include "widgets/HddPage.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WidgetFactory.h"

void registerHddWidgets(WidgetFactory &factory)
{
    factory.registerPage(QStringLiteral("hdd"),
        [](PageController &page, QWidget *parent) { return new HddPage(static_cast<Setup_HddView &>(page), parent); });
    factory.registerDialog(QStringLiteral("DiagHddFormat"), [](DialogController &dialog, QWidget *parent) {
        return new HddFormatDialog(static_cast<DiagHddFormat &>(dialog), parent);
    });
    factory.registerDialog(QStringLiteral("DiagHddConfirm"), [](DialogController &dialog, QWidget *parent) {
        return new HddConfirmDialog(static_cast<DiagHddConfirm &>(dialog), parent);
    });
}
