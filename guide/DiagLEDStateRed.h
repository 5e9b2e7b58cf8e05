#pragma once

#include "core/DialogController.h"

#include <QStringList>

// What the status-light dialog may ask of its opener. Optional: the default
// does nothing.
class DiagLEDStateRedDelegate
{
public:
    virtual ~DiagLEDStateRedDelegate() = default;

    virtual void openResetWindow() { }
};

// What to do when the recorder's status light stays red; offers a reset.
class DiagLEDStateRed : public DialogController
{
    Q_OBJECT
public:
    using DialogController::DialogController;

    void setDelegate(DiagLEDStateRedDelegate *delegate) { theDelegate = delegate; }

    void onCloseClicked();
    void btReset();

    QString lbTitle() const;
    QString lbSubTitle() const;
    // lbText1 to lbText4, in order; bt1 to bt4 number them.
    QStringList lbTexts() const;
    QString btResetTitle() const;
    QString btCloseTitle() const;

private:
    DiagLEDStateRedDelegate *theDelegate = nullptr;
};
