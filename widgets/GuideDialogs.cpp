#include "widgets/GuideDialogs.h"

#include "guide/DiagLEDStateRed.h"
#include "guide/DiagMacAddress.h"
#include "guide/DiagReset.h"
#include "widgets/DialogLayout.h"
#include "widgets/RichText.h"

#include <QLabel>

LedStateRedDialog::LedStateRedDialog(DiagLEDStateRed &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbTitle());
    addText(*layout, emphasisedHtml(diag.lbSubTitle(), QString()));
    const QStringList texts = diag.lbTexts();
    for (int i = 0; i < texts.size(); ++i)
        addText(*layout, QStringLiteral("<b>%1.</b> %2").arg(i + 1).arg(emphasisedHtml(texts.at(i), QString())));
    QHBoxLayout *row = buttonRow(*layout);
    addButton(*row, QStringLiteral("btReset"), diag.btResetTitle(), &diag, [&diag] { diag.btReset(); });
    addButton(*row, QStringLiteral("btClose"), diag.btCloseTitle(), &diag, [&diag] {
        diag.onCloseClicked();
    })->setDefault(true);
}

ResetDialog::ResetDialog(DiagReset &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbTitle());
    addText(*layout, emphasisedHtml(diag.lbText().text, diag.lbText().phrase));
    QHBoxLayout *row = buttonRow(*layout);
    addButton(*row, QStringLiteral("btRestart"), diag.btRestartTitle(), &diag, [&diag] { diag.onRestartClicked(); });
    addButton(*row, QStringLiteral("btClose"), diag.btCloseTitle(), &diag, [&diag] {
        diag.onCloseClicked();
    })->setDefault(true);
}

MacAddressDialog::MacAddressDialog(DiagMacAddress &diag, QWidget *parent)
    : QDialog(parent)
{
    QVBoxLayout *layout = dialogLayout(*this, diag.dialogKind(), diag.lbDeviceType());
    addText(*layout, emphasisedHtml(diag.lbText1(), QString()));
    auto *mac = new QLabel(diag.lbMAC(), this);
    mac->setObjectName(QStringLiteral("lbMAC"));
    mac->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mac->setStyleSheet(QStringLiteral("font-family: monospace; font-size: 20px; letter-spacing: 2px;"));
    layout->addWidget(mac, 0, Qt::AlignHCenter);
    QHBoxLayout *row = buttonRow(*layout);
    addButton(*row, QStringLiteral("btClose"), diag.btCloseTitle(), &diag, [&diag] {
        diag.onCloseClicked();
    })->setDefault(true);
}
