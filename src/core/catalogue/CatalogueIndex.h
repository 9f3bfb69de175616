#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The index of the catalogue folder (indexFile()): which categories it lists, listing a new
// one, and taking one off the list.
//
// Another copy of the program may change the index at any time. Every change is therefore made
// under the catalogue lock (CatalogueLock) to the index as it stands on disk at that moment,
// never written from a list read earlier, and the new index is written aside and put in place
// in one step: on failure (a name no catalogue file can hold, no regular file in the index's
// place, a missing catalogue folder, the lock held by another copy) the old index stays whole.
namespace catalogue {

// The names the index lists: its lines split at CR LF. The empty piece after a final CR LF is
// no line; a blank line is an empty name. Nothing for a missing or unreadable index.
QStringList indexLines();

// The category names for the category lists: every non-empty line of the index at indexPath
// that can name a category file (categoryFileRefusal), in file order. Lines that cannot are
// left out, after one message that names them. Nothing when the index is missing (after "File
// Does Not Exist." and "Vital file is missing"), too long or no regular file (after its message).
std::optional<QStringList> readCategoryNames(const QString &indexPath);

// The message for index lines that name no category file (the first few of them).
QString refusedIndexLinesMessage(const QString &indexPath, const QStringList &lines);

// True when a line of the index is exactly categoryName (whole line, case-sensitive), so a
// name that is only part of a listed name, "Flow" beside "Flow Rate", is not listed.
bool isListedInIndex(const QString &categoryName);

// Lists categoryName at the end of the index unless a line already names it, on a line of its
// own even when the index does not end in CR LF, creating the index when it is missing. True
// when the index lists it afterwards.
bool listInIndex(const QString &categoryName);

// Takes every line that is exactly categoryName out of the index; the other lines stay as they
// are, in their order, CR LF after each. True when no line names it afterwards.
bool removeFromIndex(const QString &categoryName);

} // namespace catalogue
