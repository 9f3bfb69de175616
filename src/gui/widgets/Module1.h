#pragma once

class QWidget;

// Keeps window above all other windows (on) or not (off), without moving, resizing or hiding it.
void SetTopMost(QWidget *window, bool topMost);

// Makes window impossible for the user to maximise or resize, at its current size.
void FixWindowSize(QWidget *window);
