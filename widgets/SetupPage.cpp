#include "widgets/SetupPage.h"

#include "app/SetupView.h"
#include "widgets/PageStack.h"

#include <QVBoxLayout>

SetupPage::SetupPage(SetupView &setup, const WidgetFactory &factory, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("setupPage"));
    auto *setupBox = new PageStack(setup.setupBox(), factory, this);
    setupBox->setObjectName(QStringLiteral("setupBox"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(setupBox);
}
