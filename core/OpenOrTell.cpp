#include "core/OpenOrTell.h"

#include "core/HMLocalization.h"
#include "core/ModalHost.h"
#include "core/WizardContext.h"
#include "platform/UrlOpener.h"

void openOrTell(WizardContext &context, const QUrl &url)
{
    // The opener may report later: the context outlives every page.
    context.urls.openUrl(url, [&context, url] {
        const QString where = url.isLocalFile() ? url.toLocalFile() : url.toString();
        context.modal.runAlert(
            context.localization.localizedStringForKey(QStringLiteral("APP_OpenFailed")) + QLatin1Char('\n') + where,
            context.localization.localizedStringForKey(QStringLiteral("Button Close")));
    });
}
