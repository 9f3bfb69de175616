#pragma once

#include <QString>

// What a unit or category name may hold. A category name becomes a file name (name + ".ucr" in
// the catalogue folder) and a line of the index; a unit name becomes the second field of a line
// of its category file. Both are stored as Windows-1252 text.
namespace catalogue {

// The characters refused in a category name, in the order in which the refusal lists them.
inline const QString kRefusedCategoryCharacters = QStringLiteral("\\/:?*\"<>|,^");

bool isRefusedCategoryCharacter(QChar c);
// "Category name cannot contain any of the" CR LF "following characters: " and the eleven
// characters, a space between each two.
QString refusedCategoryCharactersMessage();

// The message for a comma or a caret in a unit name.
QString refusedUnitCharactersMessage();

// The message for characters that no catalogue file can store; subject is "Unit name" or
// "Category name". Empty characters stand for a character that cannot be shown.
QString outsideCatalogueMessage(const QString &subject, const QString &characters);

// Why name cannot be a category name, or empty text when it can: empty, one of the eleven
// refused characters (among them both path separators), a control character, a character
// outside Windows-1252, the index's own name "unitType" in any letter case, a device name that
// Windows reserves (CON, PRN, AUX, NUL, COM1..COM9, LPT1..LPT9, with or without an extension), a
// trailing full stop or space (so "." and ".." too), or a file name longer than the file systems
// of Windows and Linux hold (kMaxFileNameBytes, with room for the name a save writes aside).
QString categoryNameRefusal(const QString &name);

// The same check, and then that the category's file, its path resolved, lies in the catalogue
// folder itself. Every category name passes it before it becomes a path: typed, read from the
// index, or read from the factory index.
QString categoryFileRefusal(const QString &name);

// The longest file name, in bytes of UTF-8 (Linux) and in UTF-16 units (Windows).
inline constexpr int kMaxFileNameBytes = 255;

// Why name cannot be a unit name, or empty text when it can: a comma or caret, a control
// character (a line break would split the unit's line), or a character outside Windows-1252.
QString unitNameRefusal(const QString &name);

} // namespace catalogue
