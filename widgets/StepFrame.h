#pragma once

class QLabel;
class QPushButton;
class QWidget;
class SetupProgressView;

// The frame the setup steps share: the step images, the title, the content
// box taking the room left, and the buttons: the step's own one on the left
// (none when left is null), Back and Next (the default: Return presses it) on
// the right. Focus goes to the first control each time the content box, when
// it is a stacked widget, shows another page.
void layOutStep(QWidget &page, const SetupProgressView &progress, QLabel *title, QWidget *content, QPushButton *left,
    QPushButton *back, QPushButton *next);
