#include "guide/DiagReset.h"

#include "core/HMLocalization.h"
#include "core/TextFormat.h"
#include "platform/ModelName.h"

#include <QRegularExpression>

namespace {

// English texts read better with the button's name quoted where a word with
// "t" follows it ("press " Reset " to ...").
QString quoteResetNameInEnglish(const QString &body, const QString &name)
{
    if (name.isEmpty())
        return body;
    const QRegularExpression pattern(fillFormat(QStringLiteral("%@(?= t)"), {QRegularExpression::escape(name)}));
    QString quoted = body;
    return quoted.replace(pattern, QStringLiteral("\" %1 \"").arg(name));
}

} // namespace

DiagReset::DiagReset(WizardContext &context, QObject *parent)
    : DialogController(context, parent)
{
    m_title = fillFormat(text(QStringLiteral("Install_Diag_Text7")), {ModelName::kNvr});
    const QString resetName = text(QStringLiteral("APP_Reset"));
    QString body = fillFormat(text(QStringLiteral("Install_Diag_Text8")), {ModelName::kNvr}) + QLatin1Char('\n')
        + fillFormat(text(QStringLiteral("Install_Diag_Text9")), {ModelName::kNvr});
    if (context.localization.activeLanguage() == QLatin1String("EN"))
        body = quoteResetNameInEnglish(body, resetName);
    m_text = EmphasisedText::find(body, resetName);
}

void DiagReset::onCloseClicked()
{
    if (!theDelegate)
        return dismiss();
    // The status-light dialog comes back over the dimmed window.
    handOn();
    theDelegate->reOpenDiagLEDStateRED();
}

void DiagReset::onRestartClicked()
{
    dismiss();
    if (theDelegate)
        theDelegate->noteResettingClicked();
}

QString DiagReset::btCloseTitle() const
{
    return text(QStringLiteral("Button Close"));
}

QString DiagReset::btRestartTitle() const
{
    return text(QStringLiteral("APP_Restart"));
}
