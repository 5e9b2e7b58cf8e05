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

QLabel *diagnosisLabel(const QString &name, QWidget *parent)
{
    QLabel *label = wrappedLabel(name, parent);
    label->setStyleSheet(QStringLiteral(
        "color: #7a2e0e; background: #fff4e5; border: 1px solid #f0b27a; border-radius: 4px; padding: 6px;"));
    label->hide();
    return label;
}

void showDiagnosis(QLabel &label, const QString &text)
{
    label.setText(text);
    label.setAccessibleName(text);
    label.setVisible(!text.isEmpty());
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
