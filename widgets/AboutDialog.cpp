#include "widgets/AboutDialog.h"

#include "app/DiagAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(DiagAbout &about, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DiagAbout"));
    setWindowTitle(about.lbTitle());
    auto *title = new QLabel(about.lbTitle(), this);
    title->setObjectName(QStringLiteral("dialogTitle"));
    auto *version = new QLabel(about.lbVersion(), this);
    auto *warning = new QLabel(about.lbWarning(), this);
    warning->setWordWrap(true);
    auto *close = new QPushButton(about.btClose(), this);
    close->setObjectName(QStringLiteral("btClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, &about, &DiagAbout::onCloseClicked);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 20);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(warning);
    layout->addWidget(close, 0, Qt::AlignTrailing);
    setMinimumWidth(420);
}
