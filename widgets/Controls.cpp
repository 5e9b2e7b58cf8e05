#include "widgets/Controls.h"

#include "widgets/WizardStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLabel *wrappedLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QPushButton *linkButton(const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    setStyleState(*button, "link", true);
    return button;
}

void showText(QLineEdit &edit, const QString &text)
{
    if (edit.text() != text)
        edit.setText(text);
}
