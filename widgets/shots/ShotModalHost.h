#pragma once

#include "widgets/WidgetModalHost.h"

#include <QDialog>
#include <QPointer>

// The window's modal host, but an alert stays open without a modal loop of
// its own, so that the picture catches it over the window.
class ShotModalHost : public WidgetModalHost
{
public:
    using WidgetModalHost::WidgetModalHost;

    void runAlert(const QString &message, const QString &button) override;

    // The last alert shown; null when none is open.
    QDialog *openAlert() const { return m_alert; }

private:
    QPointer<QDialog> m_alert;
};
