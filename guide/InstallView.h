#pragma once

#include "app/PageController.h"

class ShellDelegate;

// The hardware installation guide: four sub-pages between the welcome page
// and the setup page.
class InstallView : public PageController
{
    Q_OBJECT
public:
    using PageController::PageController;

    QString pageKey() const override { return QStringLiteral("install"); }
    void viewDidAppear() override;

    void setDelegate(ShellDelegate *delegate) { theDelegate = delegate; }
    void onNextClicked();
    void onBackClicked();

private:
    ShellDelegate *theDelegate = nullptr;
};
