#pragma once

#include <QWidget>

class SetupView;
class WidgetFactory;

// The setup page: the phases, and the step container showing the widget of
// the current step.
class SetupPage : public QWidget
{
    Q_OBJECT
public:
    SetupPage(SetupView &setup, const WidgetFactory &factory, QWidget *parent = nullptr);
};
