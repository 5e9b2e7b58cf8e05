#pragma once

#include "core/QtTranslations.h"

#include <QWidget>

class AppDelegate;
class GreyOverlay;
class HMLocalization;
class HelpBar;
class QLabel;
class WidgetFactory;
struct WizardContext;

// The wizard's window: header with the step counter, the pages, the help bar
// and the dimming over everything while a dialog is open.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    MainWindow(AppDelegate &shell, WizardContext &context, const WidgetFactory &factory, QWidget *parent = nullptr);

    void refresh();

protected:
    // The window's close control is the shell's Exit: it may ask first.
    void closeEvent(QCloseEvent *event) override;

private:
    AppDelegate &m_shell;
    HMLocalization &m_localization;
    QLabel *m_title;
    QLabel *m_steps;
    QLabel *m_tradeMark;
    QLabel *m_copyright;
    QWidget *m_header;
    HelpBar *m_helpBar;
    GreyOverlay *m_overlay;
    QtTranslations m_qtTexts;
    bool m_terminating = false;
};
