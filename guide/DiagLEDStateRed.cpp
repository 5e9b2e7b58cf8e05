#include "guide/DiagLEDStateRed.h"

#include "core/TextFormat.h"
#include "platform/ModelName.h"

void DiagLEDStateRed::onCloseClicked()
{
    dismiss();
}

void DiagLEDStateRed::btReset()
{
    if (!theDelegate)
        return dismiss();
    // The reset dialog follows over the dimmed window.
    handOn();
    theDelegate->openResetWindow();
}

QString DiagLEDStateRed::lbTitle() const
{
    return fillFormat(text(QStringLiteral("Install_Diag_Text1")), {ModelName::kNvr});
}

QString DiagLEDStateRed::lbSubTitle() const
{
    return fillFormat(text(QStringLiteral("Install_Diag_Text2")), {ModelName::kNvr});
}

QStringList DiagLEDStateRed::lbTexts() const
{
    QStringList texts;
    for (int i = 3; i <= 6; ++i)
        texts.append(fillFormat(text(QStringLiteral("Install_Diag_Text%1").arg(i)), {ModelName::kNvr}));
    return texts;
}

QString DiagLEDStateRed::btResetTitle() const
{
    return text(QStringLiteral("APP_Reset"));
}

QString DiagLEDStateRed::btCloseTitle() const
{
    return text(QStringLiteral("Button Close"));
}
