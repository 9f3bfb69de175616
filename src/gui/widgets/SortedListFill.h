#pragma once

#include <QString>

class QComboBox;
class QListWidget;

// Fills a list with the category names of an index (catalogue::readCategoryNames: every
// non-empty line that can name a category file), emptied first, each at its sorted place,
// raising no handler and choosing nothing. The main window's category list and the editor's
// category box are filled this way. False when the index is missing, too long or no regular
// file, after the messages.
bool fillSortedFromFile(const QString &path, QListWidget *list);
bool fillSortedFromFile(const QString &path, QComboBox *list);
