#include "steps/Setup_MessageView.h"

#include "core/HMLocalization.h"

Setup_MessageView::Setup_MessageView(const HMLocalization &localization)
    : localization(localization)
{
}

void Setup_MessageView::showMessage(const QString &message)
{
    lbMessage = message.isEmpty() ? localization.localizedStringForKey(QStringLiteral("Waiting")) : message;
    visible = true;
}
