#include "gui/editor/CatalogueEditor.h"

#include "core/base/Failure.h"
#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/MessageBox.h"
#include "gui/editor/EditorTexts.h"
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
    const QString path = catalogue::categoryFile(category.categoryName());
    try {
        category.save(path);
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
    emit categoriesChanged();
    return true;
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
    clearUnitArea();
    {
        const platform::BusyPointerScope pointer;
        if (const auto failure = catalogue::deleteCategoryFile(name)) {
            showFailure(*failure);
        } else {
            m_categoryBox->removeItem(m_categoryBox->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive));
            m_categoryBox->setCurrentIndex(-1);
            QStringList remaining;
            for (int i = 0; i < m_categoryBox->count(); ++i)
                remaining.append(m_categoryBox->itemText(i));
            if (!catalogue::rewriteIndex(remaining))
                platform::MsgBox(editor::kIndexNotWritten.arg(catalogue::indexFile()), platform::Buttons::OK,
                                 platform::Icon::Critical);
        }
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

void CatalogueEditor::finishRestore()
{
    hideKeepingState();
    emit catalogueReplaced();
    unloadAndHide();
}
