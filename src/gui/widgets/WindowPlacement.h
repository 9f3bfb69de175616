#pragma once

class QSize;
class QWidget;

// Where a top-level window sits and how it may be moved.

// Keeps window above all other windows (on) or not (off), without moving, resizing or hiding it.
void setStaysOnTop(QWidget *window, bool topMost);

// Makes window impossible for the user to maximise or resize, at its current size.
void fixWindowSize(QWidget *window);

// Centres a window of the given outer size on the screen that shows window (the primary screen
// when it has none yet). A move before the first show also keeps Qt from placing it elsewhere.
void centreOnScreen(QWidget *window, const QSize &outerSize);
