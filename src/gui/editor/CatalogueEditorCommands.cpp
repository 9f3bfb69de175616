#include "gui/editor/CatalogueEditor.h"

#include "core/base/Failure.h"
#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CatalogueLock.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/MessageBox.h"
#include "core/platform/RegularFile.h"
#include "gui/editor/EditorTexts.h"
#include "gui/platform/BusyPointer.h"

#include <QComboBox>
#include <QListWidget>

#include <functional>

// The editor's commands: OK, Add new Category, Delete Category, Restore Defaults, and the save
// offer before switching category.
//
// Another copy of the program may change the catalogue while this editor is open. Each command
// makes its changes under the catalogue lock, to the files as they are on disk then; no message
// box is shown while the lock is held, so the other copy never waits on a question here.

namespace {

void showFailure(const catalogue::CatalogueFailure &failure)
{
    platform::MsgBox(failure.message(), platform::Buttons::OK, platform::Icon::Critical);
}

// Runs change under the catalogue lock, with the busy pointer. False, after telling the user
// why, when the lock could not be taken (another copy is changing the catalogue, or the folder
// takes no files): then nothing ran, and whatever the editor shows stays.
bool changeCatalogue(const std::function<void()> &change)
{
    QString refusal;
    {
        const platform::BusyPointerScope pointer;
        const catalogue::CatalogueLock lock;
        if (lock.isHeld()) {
            change();
            return true;
        }
        refusal = lock.refusalMessage();
    }
    platform::MsgBox(refusal, platform::Buttons::OK, platform::Icon::Exclamation);
    return false;
}

enum class SaveResult { Saved, ChangedOnDisk, FileNotWritten, IndexNotWritten };

// Writes the category and lists it in the index, unless its file changed on disk since it was
// loaded (or last saved): that is for the user to decide.
SaveResult writeCategory(UnitCategory &category, const QString &path)
{
    // Only a regular file is replaced: a link, FIFO, device or folder in its place is refused
    // at once, not asked about.
    const platform::EntryKind kind = platform::entryKind(path);
    if (kind != platform::EntryKind::Missing && kind != platform::EntryKind::RegularFile)
        return SaveResult::FileNotWritten;
    if (category.fileChangedOnDisk(path))
        return SaveResult::ChangedOnDisk;
    try {
        category.save(path);
    } catch (const app::Failure &) {
        return SaveResult::FileNotWritten; // the old file is whole
    }
    // A saved category is listed, whichever way it was saved (a whole line, not a substring).
    return catalogue::listInIndex(category.categoryName()) ? SaveResult::Saved : SaveResult::IndexNotWritten;
}

} // namespace

bool CatalogueEditor::offerToSave()
{
    if (!currentCategory().isChanged())
        return true;
    switch (platform::MsgBox(editor::kSaveChangesQuestion, platform::Buttons::YesNoCancel, platform::Icon::Exclamation)) {
    case platform::Answer::No:
        return true;
    case platform::Answer::Cancel:
        return false;
    default:
        return saveCurrentCategory();
    }
}

bool CatalogueEditor::saveCurrentCategory()
{
    UnitCategory &category = currentCategory();
    const QString name = category.categoryName();
    const QString path = catalogue::categoryFile(name);
    for (;;) {
        SaveResult result = SaveResult::Saved;
        if (!changeCatalogue([&] { result = writeCategory(category, path); }))
            return false; // the edits stay in the window
        switch (result) {
        case SaveResult::Saved:
            emit categoriesChanged();
            return true;
        case SaveResult::FileNotWritten:
            platform::MsgBox(editor::kSaveFailed.arg(path), platform::Buttons::OK, platform::Icon::Critical);
            return false;
        case SaveResult::IndexNotWritten:
            platform::MsgBox(editor::kIndexNotWritten.arg(catalogue::indexFile()), platform::Buttons::OK,
                             platform::Icon::Critical);
            return false;
        case SaveResult::ChangedOnDisk:
            switch (platform::MsgBox(editor::kChangedOnDiskQuestion.arg(name, path), platform::Buttons::YesNoCancel,
                                     platform::Icon::Exclamation)) {
            case platform::Answer::Yes:
                // Overwrite the file as the user was told of it; should it change again before
                // the write, the question comes again.
                category.takeFileOnDisk(path);
                continue;
            case platform::Answer::No:
                loadExistingCategory(name); // the edits are dropped for what is on disk now
                return false;
            default:
                return false;
            }
        }
    }
}

void CatalogueEditor::saveAndClose()
{
    if (currentCategory().isChanged() && !saveCurrentCategory())
        return; // the user is told; the editor stays open with the edits
    discardCurrentCategory();
    unloadAndHide();
}

void CatalogueEditor::addCategory()
{
    if (!m_categoryBox->currentText().isEmpty() && !isListedCategoryChosen())
        chooseCategory();
    else
        platform::MsgBox(editor::kEnterCategoryName, platform::Buttons::OK, platform::Icon::Information);
}

void CatalogueEditor::deleteCategory()
{
    if (!isListedCategoryChosen())
        return;
    const QString name = m_categoryBox->currentText();
    // Asked before anything is cleared, so that Cancel keeps the edits.
    if (platform::MsgBox(editor::kConfirmDelete.arg(name), platform::Buttons::OKCancel, platform::Icon::Exclamation)
        == platform::Answer::Cancel)
        return;
    catalogue::DeleteOutcome outcome = catalogue::DeleteOutcome::NothingChanged;
    const bool changed = changeCatalogue([&] {
        clearUnitArea();
        outcome = catalogue::deleteCategory(name);
    });
    if (!changed)
        return; // the catalogue is busy: the editor stays as it was, edits included
    const QString path = catalogue::categoryFile(name);
    switch (outcome) {
    case catalogue::DeleteOutcome::Deleted:
        break;
    case catalogue::DeleteOutcome::FileWasMissing:
        platform::MsgBox(editor::kCategoryFileWasMissing.arg(name, path), platform::Buttons::OK,
                         platform::Icon::Information);
        break;
    case catalogue::DeleteOutcome::FileKept:
        showFailure({catalogue::CatalogueFailure::Operation::RemovingFiles, path});
        break;
    case catalogue::DeleteOutcome::NothingChanged:
        platform::MsgBox(editor::kIndexNotWritten.arg(catalogue::indexFile()), platform::Buttons::OK,
                         platform::Icon::Critical);
        break;
    }
    if (outcome != catalogue::DeleteOutcome::NothingChanged) {
        m_categoryBox->removeItem(m_categoryBox->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive));
        m_categoryBox->setCurrentIndex(-1);
    }
    hideKeepingState();
    emit catalogueReplaced();
}

void CatalogueEditor::restoreDefaults()
{
    if (isListedCategoryChosen()) {
        const QString name = m_categoryBox->currentText();
        if (platform::MsgBox(editor::kConfirmRestoreOne.arg(name), platform::Buttons::OKCancel,
                             platform::Icon::Exclamation)
            == platform::Answer::Cancel)
            return;
        std::optional<catalogue::CatalogueFailure> failure;
        if (!changeCatalogue([&] { failure = catalogue::restoreCategory(name); }))
            return;
        if (failure)
            showFailure(*failure);
    } else {
        if (platform::MsgBox(editor::kConfirmRestoreAll, platform::Buttons::OKCancel, platform::Icon::Exclamation)
            == platform::Answer::Cancel)
            return;
        catalogue::RestoreAllResult result;
        if (!changeCatalogue([&] { result = catalogue::restoreAllCategories(); }))
            return;
        for (const catalogue::CatalogueFailure &failure : result.failures)
            showFailure(failure);
    }
    finishRestore();
}

void CatalogueEditor::finishRestore()
{
    hideKeepingState();
    emit catalogueReplaced();
    unloadAndHide();
}
