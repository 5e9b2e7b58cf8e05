#pragma once

#include "core/DialogController.h"

// What the opener of the recorder internet dialog may do next; both optional.
class DiagCheckNVRInternetDelegate
{
public:
    virtual ~DiagCheckNVRInternetDelegate() = default;
    virtual void toRetry() { }
    virtual void toSkip() { }
};

// Tells the user how to check the recorder's own internet connection.
class DiagCheckNVRInternet : public DialogController
{
    Q_OBJECT
public:
    // theDelegate may be nullptr: both buttons then only close the dialog.
    DiagCheckNVRInternet(WizardContext &context, DiagCheckNVRInternetDelegate *theDelegate, QObject *parent = nullptr);

    void btOK();
    void btCancel();

    QString lbTitle() const;
    QString lbText() const;
    QString btOKTitle() const;
    QString btCancelTitle() const;

private:
    void close();

    DiagCheckNVRInternetDelegate *theDelegate;
};
