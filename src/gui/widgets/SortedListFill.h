#pragma once

#include <QString>

class QComboBox;
class QListWidget;

// Fills a list with every non-empty line of a catalogue list file (the index), emptied first,
// each line at its sorted place, raising no handler and choosing nothing. The main window's
// category list and the editor's category box are filled this way. False when the file is
// missing or too long, after the messages.
bool fillSortedFromFile(const QString &path, QListWidget *list);
bool fillSortedFromFile(const QString &path, QComboBox *list);
