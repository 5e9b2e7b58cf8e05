#pragma once

#include "core/HMLocalization.h"
#include "core/WizardContext.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WidgetFactory.h"
#include "widgets/WidgetModalHost.h"

// What the window's widgets are built with, as window mode has it, but with
// URLs recorded instead of opened.
struct WidgetsFixture
{
    WidgetFactory factory;
    NotificationCenter notifications;
    WidgetModalHost modal {factory};
    RecordingUrlOpener urls;
    WizardContext context;

    explicit WidgetsFixture(const UserFolders &folders = {})
        : context {notifications, HMLocalization::sharedInstance(), modal, urls, folders}
    {
        registerAllWidgets(factory);
    }
};
