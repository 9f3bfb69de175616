#include "gui/editor/frmAddUnit.h"

#include "core/base/Failure.h"
#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CataloguePaths.h"
#include "gui/editor/EditorTexts.h"
#include "gui/mainwindow/Form1.h"
#include "core/platform/MessageBox.h"
#include "gui/platform/BusyPointer.h"

#include <QComboBox>
#include <QListWidget>

// The editor's commands: OK, Add new Category, Delete Category, Restore Defaults, and the save
// offer before switching category.

namespace {

void showFailure(const catalogue::CatalogueFailure &failure)
{
    platform::MsgBox(failure.message(), platform::Buttons::OK, platform::Icon::Critical);
}

} // namespace

bool frmAddUnit::offerToSave()
{
    if (!currentCategory().classChanged())
        return true;
    switch (platform::MsgBox(kSaveChangesQuestion, platform::Buttons::YesNoCancel, platform::Icon::Exclamation)) {
    case platform::Answer::No:
        return true;
    case platform::Answer::Cancel:
        return false;
    default:
        return saveCurrentCategory();
    }
}

bool frmAddUnit::saveCurrentCategory()
{
    CUnitCategory &category = currentCategory();
    const QString path = catalogue::categoryFile(category.categoryName());
    try {
        category.SaveToFile(path, false);
    } catch (const app::Failure &) {
        // The old file is whole and the edits stay in the window.
        platform::MsgBox(editor::kSaveFailed.arg(path), platform::Buttons::OK, platform::Icon::Critical);
        return false;
    }
    // A saved category is listed, whichever way it was saved (a whole line, not a substring).
    if (!catalogue::listInIndex(category.categoryName())) {
        platform::MsgBox(editor::kIndexNotWritten.arg(catalogue::indexFile()), platform::Buttons::OK,
                         platform::Icon::Critical);
        return false;
    }
    reloadMainCategories();
    return true;
}

void frmAddUnit::reloadMainCategories()
{
    m_mainForm.loadComboFromFile(catalogue::indexFile(), m_mainForm.UnitType, true, false);
}

void frmAddUnit::OKButton_Click()
{
    if (currentCategory().classChanged() && !saveCurrentCategory())
        return; // the user is told; the editor stays open with the edits
    discardCurrentCategory();
    UnloadForm();
}

void frmAddUnit::AddCategory_Click()
{
    if (!UnitSelect->currentText().isEmpty() && !UnitSelectHasSelection())
        UnitSelect_Click();
    else
        platform::MsgBox(editor::kEnterCategoryName, platform::Buttons::OK, platform::Icon::Information);
}

void frmAddUnit::deleteCategory_Click()
{
    if (!UnitSelectHasSelection())
        return;
    const QString name = UnitSelect->currentText();
    // Asked before anything is cleared, so that Cancel keeps the edits.
    if (platform::MsgBox(editor::kConfirmDelete.arg(name), platform::Buttons::OKCancel, platform::Icon::Exclamation)
        == platform::Answer::Cancel)
        return;
    ClearUnitForm();
    {
        const platform::BusyPointerScope pointer;
        if (const auto failure = catalogue::deleteCategoryFile(name)) {
            showFailure(*failure);
        } else {
            UnitSelect->removeItem(UnitSelect->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive));
            UnitSelect->setCurrentIndex(-1);
            QStringList remaining;
            for (int i = 0; i < UnitSelect->count(); ++i)
                remaining.append(UnitSelect->itemText(i));
            if (!catalogue::rewriteIndex(remaining))
                platform::MsgBox(editor::kIndexNotWritten.arg(catalogue::indexFile()), platform::Buttons::OK,
                                 platform::Icon::Critical);
        }
    }
    HideForm();
    reloadMainCategories();
    m_mainForm.DisableConvertControls();
}

void frmAddUnit::ReDefault_Click()
{
    if (UnitSelectHasSelection()) {
        const QString name = UnitSelect->currentText();
        if (platform::MsgBox(editor::kConfirmRestoreOne.arg(name), platform::Buttons::OKCancel,
                             platform::Icon::Exclamation)
            == platform::Answer::Cancel)
            return;
        std::optional<catalogue::CatalogueFailure> failure;
        {
            const platform::BusyPointerScope pointer;
            failure = catalogue::restoreCategory(name);
        }
        if (failure)
            showFailure(*failure);
    } else {
        if (platform::MsgBox(editor::kConfirmRestoreAll, platform::Buttons::OKCancel, platform::Icon::Exclamation)
            == platform::Answer::Cancel)
            return;
        catalogue::RestoreAllResult result;
        {
            const platform::BusyPointerScope pointer;
            result = catalogue::restoreAllCategories();
        }
        for (const catalogue::CatalogueFailure &failure : result.failures)
            showFailure(failure);
    }
    finishRestore();
}

void frmAddUnit::finishRestore()
{
    HideForm();
    reloadMainCategories();
    m_mainForm.DisableConvertControls();
    UnloadForm();
}
