#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QString>

// The common frame of the small information dialogs: a heading (none for an
// empty title), wrapped texts and a row of buttons on the right.
QVBoxLayout *dialogLayout(QDialog &dialog, const QString &kind, const QString &title);
void addText(QVBoxLayout &layout, const QString &html);
QHBoxLayout *buttonRow(QVBoxLayout &layout);
// Sizes a dialog to its contents at the width it gets, so wrapped texts get
// the height they need and no more.
void fitToContents(QWidget &window);

template<typename Receiver, typename Slot>
QPushButton *addButton(QBoxLayout &row, const QString &name, const QString &title, Receiver *receiver, Slot slot)
{
    auto *button = new QPushButton(title, row.parentWidget());
    button->setObjectName(name);
    QObject::connect(button, &QPushButton::clicked, receiver, slot);
    row.addWidget(button);
    return button;
}
