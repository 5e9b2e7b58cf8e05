#include "widgets/shots/ShotModalHost.h"

#include <QMessageBox>

void ShotModalHost::runAlert(const QString &message, const QString &button)
{
    QMessageBox *box = makeAlert(message, button);
    box->show();
    m_alert = box;
}
