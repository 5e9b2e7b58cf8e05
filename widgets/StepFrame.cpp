#include "widgets/StepFrame.h"

#include "widgets/KeyboardUse.h"
#include "widgets/StepImages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

void layOutStep(QWidget &page, const SetupProgressView &progress, QLabel *title, QWidget *content, QPushButton *left,
    QPushButton *back, QPushButton *next)
{
    back->setObjectName(QStringLiteral("btBack"));
    next->setObjectName(QStringLiteral("btNext"));
    pressOnReturn(page, next);
    // What the step shows changes under the user: focus follows it.
    if (auto *stack = qobject_cast<QStackedWidget *>(content))
        QObject::connect(stack, &QStackedWidget::currentChanged, &page, [&page] { focusFirstControlSoon(page); });

    auto *buttons = new QHBoxLayout;
    if (left)
        buttons->addWidget(left);
    buttons->addStretch();
    buttons->addWidget(back);
    buttons->addWidget(next);

    auto *layout = new QVBoxLayout(&page);
    layout->setContentsMargins(32, 20, 32, 20);
    layout->setSpacing(12);
    layout->addWidget(new StepImages(progress, &page));
    layout->addWidget(title);
    layout->addWidget(content, 1);
    layout->addLayout(buttons);
}
