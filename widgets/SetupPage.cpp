#include "widgets/SetupPage.h"

#include "app/SetupView.h"
#include "widgets/LeftStepList.h"
#include "widgets/PageStack.h"

#include <QHBoxLayout>

SetupPage::SetupPage(SetupView &setup, const WidgetFactory &factory, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("setupPage"));
    auto *setupBox = new PageStack(setup.setupBox(), factory, this);
    setupBox->setObjectName(QStringLiteral("setupBox"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new LeftStepList(setup.leftStepViewController(), setup.context().localization, this));
    layout->addWidget(setupBox, 1);
}
