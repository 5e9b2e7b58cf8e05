#pragma once

class QLabel;
class QPushButton;
class QWidget;
class SetupProgressView;

// The frame the setup steps share: the step images, the title, the content
// box taking the room left, and the buttons: the step's own one on the left
// (none when left is null), Back and Next (the default) on the right.
void layOutStep(QWidget &page, const SetupProgressView &progress, QLabel *title, QWidget *content, QPushButton *left,
    QPushButton *back, QPushButton *next);
