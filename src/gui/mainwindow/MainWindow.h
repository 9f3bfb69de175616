#pragma once

#include "core/conversion/ConvertUnits.h"
#include "gui/mainwindow/TwipsLayout.h"
#include "gui/mainwindow/UnitListSource.h"
#include "gui/widgets/LayoutSwitch.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <span>

class CategoryList;
class LinkLabel;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class UnitListModel;

// The main window: the category list, the two unit lists, the number, the decimal places and
// the result line, the two buttons, the banner and web link, and the popup menu. Its controls
// are private; each carries an object name and an accessible name.
class MainWindow : public QWidget, public conversion::ConversionView, public LayoutSwitch {
    Q_OBJECT
public:
    // Opens one of the program's modal windows over the main window and returns when it closes.
    using ModalWindowOpener = std::function<void(MainWindow &)>;
    // The windows that the popup menu opens; the program installs them (the window libraries
    // sit beside this one). An entry left empty does nothing.
    struct ModalWindows {
        ModalWindowOpener options;
        ModalWindowOpener editor;
        ModalWindowOpener about;
    };
    void setModalWindows(ModalWindows windows) { m_modalWindows = std::move(windows); }

    // Creates the window and its controls and fixes its size (not yet loaded).
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence. Returns false when the program ended early (no index file): the
    // closing sequence has then run and the window must not be shown.
    bool load();
    // The closing sequence; runs once, whichever way the program ends.
    void unload();
    bool isUnloaded() const { return m_unloaded; }

    // Fills the category list afresh from the catalogue's index (after the editor changed it).
    void reloadCategories();
    // Switch the twelve conversion controls off or on; both empty the result.
    void disableConversion();
    void enableConversion();

    // The commands, as the controls and the popup menu run them.
    void chooseCategory();
    // After a category is chosen (by a click, Enter or Space, or from code): the focus goes on
    // to the number box, its text selected, unless the last category is remembered.
    void moveOnFromCategories();
    void convertIfUnitsChosen();
    void convert();
    void reset();
    void swapUnits();
    void openOptions();
    void openEditor();
    void openAbout();
    void applyAlwaysOnTop();
    void toggleCompactLayout();
    void exitProgram();
    void openWebPage();
    // Shows the popup menu at the mouse position, or at a control's position (the keyboard's way).
    void showPopupMenu();
    void showPopupMenuAt(const QPoint &globalPosition);

    // The two layouts; the banner's visibility is the only layout flag.
    void showCompactLayout();
    void showNormalLayout();
    bool showsNormalLayout() const;
    // LayoutSwitch
    bool isCompactLayout() const override { return !showsNormalLayout(); }
    void setCompactLayout(bool compact) override;

    // conversion::ConversionView
    QString fromUnitText() const override;
    QString toUnitText() const override;
    QString decimalPlacesText() const override;
    QString categoryText() const override;
    int categoryIndex() const override;
    int fromUnitIndex() const override;
    int toUnitIndex() const override;
    int fromUnitTag() const override;
    int toUnitTag() const override;
    QString numberText() const override;
    void setNumberText(const QString &text) override;
    void setResultText(const QString &text) override;

    // The factors of the category shown, one per line of its file, written in the catalogue's
    // format (empty text for a blank or rejected line).
    conversion::FactorTable factorTable() const;
    // The window's designed outer size in twips (borders and caption included).
    QSizeF windowSizeTwips() const { return m_windowSizeTwips; }
    // Where a control sits in the current layout, in twips.
    QRectF twipsGeometry(const QWidget *control) const { return m_layout.geometry(control); }

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createPopupMenu();
    void connectHandlers();
    void placeControls();
    void showBannerPictures();
    // The category list's caption, which says where the list is, and the list's accessible name.
    void showCategoryCaption(const QString &caption);
    // Scrolls the chosen category into sight (after the list changed its size).
    void showChosenCategory();
    void setWindowSizeTwips(double width, double height);
    void centreOnScreen();
    // The controls on which a right-button press opens the popup menu (besides the background).
    QList<QWidget *> popupMenuControls() const;
    QList<QWidget *> conversionControls() const;
    // Loads both unit lists from a category file; false when it is missing or too long, after
    // the messages.
    bool loadUnitLists(const QString &path);
    void emptyUnitLists();
    // The factors as before any category is read: one blank line, or none at all.
    void showOneBlankFactor();
    void showNoFactors();
    void setUnitListModel(QComboBox *list, const std::shared_ptr<UnitListModel> &model);
    // Selects position p (-1 for none): failure 380 outside the list.
    static void selectPosition(QComboBox *list, int position);
    static void selectPosition(QListWidget *list, int position);

    QLabel *m_bannerLink = nullptr;
    QLabel *m_banner = nullptr;
    QFrame *m_separator = nullptr;
    QLabel *m_categoryCaption = nullptr;
    CategoryList *m_categoryList = nullptr;
    QLabel *m_numberCaption = nullptr;
    QLineEdit *m_numberBox = nullptr;
    QLabel *m_placesCaption = nullptr;
    QComboBox *m_placesBox = nullptr;
    QLabel *m_fromCaption = nullptr;
    QComboBox *m_fromUnitBox = nullptr;
    QLabel *m_toCaption = nullptr;
    QComboBox *m_toUnitBox = nullptr;
    QPushButton *m_convertButton = nullptr;
    QPushButton *m_resetButton = nullptr;
    QLabel *m_resultCaption = nullptr;
    QLineEdit *m_resultBox = nullptr;
    LinkLabel *m_webLink = nullptr;

    QMenu *m_popupMenu = nullptr;
    QAction *m_optionsAction = nullptr;
    QAction *m_swapAction = nullptr;
    QAction *m_alwaysOnTopAction = nullptr;
    QAction *m_layoutAction = nullptr;
    QAction *m_editorAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_exitAction = nullptr;

    // The factors the conversions use, one per line of the category file shown (NaN for a line
    // without one), in m_shownUnits or in a constant of one blank line.
    std::span<const double> m_factors;
    std::shared_ptr<const catalogue::UnitTable> m_shownUnits;
    ModalWindows m_modalWindows;
    TwipsLayout m_layout;
    QSizeF m_windowSizeTwips;
    bool m_unloaded = false;
    std::shared_ptr<UnitListModel> m_fromUnitModel;
    std::shared_ptr<UnitListModel> m_toUnitModel;
    UnitListSource m_unitLists;
};
