#pragma once

#include <QUrl>

struct WizardContext;

// Hands a page or document to the desktop; when nothing on the computer opens
// it, an alert names the address or file path so the user can go there by hand.
void openOrTell(WizardContext &context, const QUrl &url);
