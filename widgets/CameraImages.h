#pragma once

#include "steps/Setup_SelectCamView.h"

#include <QIcon>
#include <QString>

// The camera list's pictures, drawn here: the check images and the preview
// button by their resource names ("square_selection_on.png", ...), and the
// marks of the three credential states.
QIcon cameraListImage(const QString &resourceName);
QIcon securedImage(Setup_SelectCamView::Secured secured);
