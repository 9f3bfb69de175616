#pragma once

#include <QString>

// The editor's help texts and messages, character for character (CR LF as "\r\n").
namespace editor {

inline const QString kStartHelpText = QStringLiteral(
    "Pick the category from the list above that you wish "
    "to amend or type a new category name in the"
    " text box at the top and press return to create a new category."
    "\r\n\r\n"
    "To restore defaults select the category above and "
    "click on the Restore Defaults button or just click the"
    " restore Defaults button to restore all categorys");

inline const QString kExistingCategoryHelpText = QStringLiteral(
    "Update the category units in the Units frame "
    "and add units by pressing the add unit to category button,"
    " to delete a unit from the category delete the unit name."
    "  When you are finished press OK to save or Cancel to discard"
    "\r\n\r\n"
    "To add units to or create another category select"
    " from the combo box and press OK when prompted");

inline const QString kNewCategoryHelpText = QStringLiteral(
    "Update the category units in the Units frame "
    "and add units by pressing the add unit to category button"
    " when you are finished press OK to save or Cancel to discard"
    "\r\n\r\n"
    "To add units to or create another category select"
    " from the combo box and press OK when prompted");

// What the base unit box reads while no base unit is chosen.
inline const QString kNoBaseUnit = QStringLiteral("Base Unit");
// The name a new category's first unit carries until the user names it.
inline const QString kBaseUnitPrompt = QStringLiteral("Enter Base Unit Name");

// The question asked before a changed category is written.
inline const QString kSaveChangesQuestion = QStringLiteral("Save Changes to current category ?");
inline const QString kTemperatureRefusal = QStringLiteral("Unable amend or add units to Temperature converter");
inline const QString kCreateCategoryQuestion = QStringLiteral("Create new Category\r\n");
inline const QString kBaseFactorMessage =
    QStringLiteral("Base Unit Factor can't be amended\r\nThe Base Unit Factor must equal one");
inline const QString kInvalidFactorQuestion = QStringLiteral(
    "Unit factor must be a numeric value greater then zero\r\n\r\nChange the unit factor back to is original value ?");

inline const QString kEnterCategoryName = QStringLiteral("Enter the category name in the text box at the top");
inline const QString kConfirmDelete = QStringLiteral(
    "Confirm delete %1 category,\r\nCaution all units will be lost and you will not be able to undo this operation.");
inline const QString kConfirmRestoreOne = QStringLiteral("Confirm restore defaults to %1 category\r\nAll custom units will be lost");
inline const QString kConfirmRestoreAll = QStringLiteral(
    "Confirm restore defaults to all categorys\r\nAll custom units and categorys will be lost");
// A category file, or the index, that could not be written: the edits stay in the window.
inline const QString kSaveFailed = QStringLiteral("The category could not be saved:\r\n%1 could not be written.");
inline const QString kIndexNotWritten = QStringLiteral(
    "The list of categories could not be updated:\r\n%1 could not be written.");
// A category file that another copy of the program (or another program) changed, created or
// deleted after the editor loaded it; %1 the category, %2 its file.
inline const QString kChangedOnDiskQuestion = QStringLiteral(
    "The file of the category %1 has been changed by someone else since you began editing it:\r\n%2\r\n\r\n"
    "Yes: overwrite it with your changes\r\nNo: load it again and lose your changes\r\nCancel: go back to editing");
// A deleted category that had no file; %1 the category, %2 its file.
inline const QString kCategoryFileWasMissing = QStringLiteral(
    "The file of the category %1 was already missing:\r\n%2\r\nThe category has been taken off the list.");

} // namespace editor
