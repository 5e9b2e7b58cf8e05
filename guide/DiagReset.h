#pragma once

#include "core/DialogController.h"
#include "guide/EmphasisedText.h"

// What the reset-help dialog may ask of its opener. Optional: the defaults do
// nothing.
class DiagResetDelegate
{
public:
    virtual ~DiagResetDelegate() = default;

    virtual void reOpenDiagLEDStateRED() { }
    virtual void noteResettingClicked() { }
};

// How to reset the recorder by its Reset button; Restart starts the wizard
// over for the reset recorder.
class DiagReset : public DialogController
{
    Q_OBJECT
public:
    explicit DiagReset(WizardContext &context, QObject *parent = nullptr);

    void setDelegate(DiagResetDelegate *delegate) { theDelegate = delegate; }

    void onCloseClicked();
    void onRestartClicked();

    QString lbTitle() const { return m_title; }
    // The two body texts joined, the Reset button's name emphasised.
    const EmphasisedText &lbText() const { return m_text; }
    QString btCloseTitle() const;
    QString btRestartTitle() const;

private:
    DiagResetDelegate *theDelegate = nullptr;
    QString m_title;
    EmphasisedText m_text;
};
