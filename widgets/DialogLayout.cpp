#include "widgets/DialogLayout.h"

#include <QLabel>

#include <algorithm>

QVBoxLayout *dialogLayout(QDialog &dialog, const QString &kind, const QString &title)
{
    dialog.setObjectName(kind);
    dialog.setWindowTitle(title);
    dialog.setMinimumWidth(460);
    auto *layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(28, 24, 28, 20);
    layout->setSpacing(10);
    if (title.isEmpty())
        return layout;
    auto *heading = new QLabel(title, &dialog);
    heading->setObjectName(QStringLiteral("dialogTitle"));
    heading->setWordWrap(true);
    layout->addWidget(heading);
    return layout;
}

void addText(QVBoxLayout &layout, const QString &html)
{
    auto *label = new QLabel(html, layout.parentWidget());
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    layout.addWidget(label);
}

QHBoxLayout *buttonRow(QVBoxLayout &layout)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    layout.addSpacing(8);
    layout.addLayout(row);
    return row;
}

void fitToContents(QWidget &window)
{
    window.adjustSize();
    // The size hint guesses the wrapped texts' width; measure at the real one.
    if (window.hasHeightForWidth())
        window.resize(window.width(), std::max(window.heightForWidth(window.width()), window.minimumHeight()));
}
