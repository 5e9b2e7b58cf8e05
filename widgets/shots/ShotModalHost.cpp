#include "widgets/shots/ShotModalHost.h"

#include "widgets/DialogLayout.h"

#include <QMessageBox>

void ShotModalHost::runAlert(const QString &message, const QString &button)
{
    QMessageBox *box = makeAlert(message, button);
    fitToContents(*box);
    box->show();
    m_alert = box;
}
