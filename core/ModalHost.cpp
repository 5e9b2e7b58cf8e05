#include "core/ModalHost.h"

#include "core/DialogController.h"

void ModalHost::setDimming(Dimming dimming)
{
    if (m_dimming == dimming)
        return;
    m_dimming = dimming;
    if (m_dimmingListener)
        m_dimmingListener(dimming);
}

void ModalHost::dimWhileOpen(DialogController &dialog)
{
    setDimming(dialog.dimming());
    QObject::connect(&dialog, &DialogController::modalStopped, &dialog, [this, &dialog] {
        if (!dialog.handsOn())
            setDimming(Dimming::None);
    });
}
