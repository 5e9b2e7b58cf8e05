#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;
class SetupProgressView;
class Setup_MessageView;
class WaitingPanel;

// The page every setup step shares: the step images, the title, a content box
// showing the step's own content or the waiting panel, and Back and Next.
// A step's page adds its content and calls showStep() from its refresh.
class StepPage : public QWidget
{
    Q_OBJECT
public:
    struct State
    {
        QString title;
        QString backTitle;
        QString nextTitle;
        bool backEnabled = false;
        bool nextEnabled = false;
    };

protected:
    StepPage(const SetupProgressView &progress, QWidget *parent);

    // Adds a widget the content box can show.
    void addContent(QWidget *content);
    // The waiting panel while the message is up, otherwise shown (nothing at
    // all when shown is null).
    void showStep(const State &state, const Setup_MessageView &message, QWidget *shown);

    QPushButton *backButton() const { return m_back; }
    QPushButton *nextButton() const { return m_next; }

private:
    QLabel *m_title;
    QStackedWidget *m_content;
    WaitingPanel *m_waiting;
    QWidget *m_empty;
    QPushButton *m_back;
    QPushButton *m_next;
};
