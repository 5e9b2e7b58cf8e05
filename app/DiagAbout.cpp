#include "app/DiagAbout.h"

#include "core/TextFormat.h"
#include "platform/Log.h"
#include "platform/ModelName.h"

void DiagAbout::windowDidLoad()
{
    Log::line(QStringLiteral("-[DiagAbout windowDidLoad]"));
    DialogController::windowDidLoad();
}

void DiagAbout::windowWillClose()
{
    Log::line(QStringLiteral("-[DiagAbout windowWillClose:]"));
    DialogController::windowWillClose();
}

void DiagAbout::onCloseClicked()
{
    dismiss();
}

QString DiagAbout::lbTitle() const
{
    return fillFormat(text(QStringLiteral("About Title")), {ModelName::kNvr});
}

QString DiagAbout::lbVersion() const
{
    return QStringLiteral("V%1").arg(ModelName::kProgramVersion);
}

QString DiagAbout::lbWarning() const
{
    return text(QStringLiteral("About Text"));
}

QString DiagAbout::btClose() const
{
    return text(QStringLiteral("Button Close"));
}
