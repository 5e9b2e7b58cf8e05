#include "widgets/FloatingDialog.h"

#include "core/DialogController.h"

FloatingDialog::FloatingDialog(DialogController &controller, QWidget *parent)
    : QDialog(parent)
    , m_controller(controller)
{
}

void FloatingDialog::reject()
{
    if (!m_controller.isModalStopped())
        m_controller.windowWillClose();
}
