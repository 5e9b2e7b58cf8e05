#pragma once

#include "platform/UserFolders.h"
#include "util/ComputerNetwork.h"

#include <memory>

class HMLocalization;
class ModalHost;
class NotificationCenter;
class UrlOpener;

// The services every page, step and dialog is built with. Passed in, never
// looked up, so tests and the headless mode can put their own in.
struct WizardContext
{
    NotificationCenter &notifications;
    HMLocalization &localization;
    ModalHost &modal;
    UrlOpener &urls;
    UserFolders folders;
    // Off where pages are shown without a network to search (screens drawn
    // outside the lab, shells walked by hand): the search step then waits.
    bool searchesLan = true;
    // Addresses, routes and links, for telling why a recorder cannot be reached.
    std::shared_ptr<const ComputerNetwork> network = systemNetwork();
};
