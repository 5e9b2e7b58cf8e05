#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;
class SetupProgressView;
class SetupStep;
class Setup_MessageView;
class WaitingPanel;

// The page every setup step shares: the step images, the title, a content box
// showing the step's own content or the waiting panel, why the recorder could
// not be reached under it (with "Try again" where the step can), Back and Next, and for some steps a button of their
// own on the left. A step's page adds its
// content and calls showStep() from its refresh.
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
        // The left button's, when the page has one.
        QString leftTitle = {};
        bool leftEnabled = false;
        bool leftVisible = true;
    };

protected:
    // leftName: the object name of the step's own button; none when empty.
    StepPage(SetupStep &step, const SetupProgressView &progress, QWidget *parent, const QString &leftName = QString());

    // Adds a widget the content box can show.
    void addContent(QWidget *content);
    // The waiting panel while the message is up, otherwise shown (nothing at
    // all when shown is null).
    void showStep(const State &state, const Setup_MessageView &message, QWidget *shown);
    // The same, for a step whose waiting text is its own.
    void showStep(const State &state, bool waiting, const QString &waitingText, QWidget *shown);

    QPushButton *backButton() const { return m_back; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *leftButton() const { return m_left; }

private:
    SetupStep &m_step;
    QLabel *m_title;
    QStackedWidget *m_content;
    QLabel *m_diagnosis;
    QPushButton *m_tryAgain;
    WaitingPanel *m_waiting;
    QWidget *m_empty;
    QPushButton *m_left;
    QPushButton *m_back;
    QPushButton *m_next;
};
