#include "steps/DiagHddFormat.h"

DiagHddFormat::DiagHddFormat(
    WizardContext &context, DiagHddFormatDelegate &delegate, const THddInfoList &disks, QObject *parent)
    : DialogController(context, parent)
    , theDelegate(delegate)
    , m_disks(disks)
{
}

QStringList DiagHddFormat::lbDisks() const
{
    QStringList lines;
    for (qsizetype row = 0; row < m_disks.size(); ++row) {
        const THddInfo &disk = *m_disks.at(row);
        if (!disk.checked())
            continue;
        QString name = disk.product().value_or(QString());
        if (name.isEmpty())
            name = disk.modelName().value_or(disk.deviceName().value_or(QString()));
        lines << QStringLiteral("%1 %2: %3").arg(text(QStringLiteral("SetupHdd_HD1"))).arg(row + 1).arg(name);
    }
    return lines;
}

void DiagHddFormat::btOk()
{
    if (isModalStopped())
        return;
    close();
    theDelegate.toFormat();
}

void DiagHddFormat::btCancel()
{
    if (isModalStopped())
        return;
    close();
    theDelegate.notToFormat();
}

void DiagHddFormat::close()
{
    dismiss();
}
