#pragma once

#include "gui/widgets/ListLoading.h"
#include "core/conversion/ConvertUnits.h"
#include "gui/mainwindow/TwipsLayout.h"

#include <QWidget>

#include <functional>
#include <memory>

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
// the result line, the two buttons, the banner and web link, and the popup menu "PopUp".
// Like the classic forms it models, its controls and handlers are public: the editor and the
// options dialog act on it directly.
class Form1 : public QWidget, public conversion::ConversionView {
    Q_OBJECT
public:
    // Opens one of the program's modal windows over the main window and returns when it closes.
    using ModalWindowOpener = std::function<void(Form1 &)>;
    // The windows that the popup menu opens; the program installs them (the window libraries
    // sit above this one). An entry left empty does nothing.
    struct ModalWindows {
        ModalWindowOpener options;
        ModalWindowOpener addUnit;
        ModalWindowOpener about;
    };
    void setModalWindows(ModalWindows windows) { m_modalWindows = std::move(windows); }

    // Creates the window and its controls and fixes its size (not yet loaded).
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The start-up sequence. Returns false when the program ended early (no index file): the
    // closing sequence has then run and the window must not be shown.
    bool Form_Load();
    // The closing sequence; runs once, whichever way the program ends.
    void Form_Unload();
    bool isUnloaded() const { return m_unloaded; }

    // Fills a list from a catalogue file, reading it once. Plain mode adds every non-empty line
    // (after emptying the list when ClearListFirst is set); unit mode adds the units of a category
    // file with their line numbers as item tags and fills unitValueArray. The list keeps its
    // entries sorted. Returns true when the file is missing (or too long), after the messages.
    bool loadComboFromFile(const QString &strFilePath, QListWidget *comboToLoad, bool ClearListFirst = false,
                           bool LoadItemDataToUnitValueArray = false);
    bool loadComboFromFile(const QString &strFilePath, QComboBox *comboToLoad, bool ClearListFirst = false,
                           bool LoadItemDataToUnitValueArray = false);

    // Switch the twelve conversion controls off or on; both empty Result.
    void DisableConvertControls();
    void EnableConvertControls();

    void UnitType_Click();
    void FromUnit_Click();
    void ToUnit_Click();
    void DecPlace_Click();
    void Convert_Click();
    void Reset_Click();
    void mnuInvert_Click();
    void mnuOptions_Click();
    void mnuAddUnit_Click();
    void mnuAbout_Click();
    void mnuATop_Click();
    void mnuForm_Click();
    void mnuExit_Click();
    // The two layouts; the banner's visibility (Image1 not hidden) is the only layout flag.
    void CompactForm();
    void NormalForm();
    bool showsNormalLayout() const;
    void Label2_Click();
    void Image1_Click();
    qint16 FromUnit_KeyPress(qint16 KeyAscii);
    qint16 ToUnit_KeyPress(qint16 KeyAscii);

    // Shows the popup menu at the mouse position.
    void showPopUpMenu();
    // The controls on which a right-button press opens the popup menu (besides the background).
    QList<QWidget *> popUpMenuControls() const;

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

    // The window's designed outer size in twips (borders and caption included).
    QSizeF windowSizeTwips() const { return m_windowSizeTwips; }
    // Where a control sits in the current layout, in twips.
    QRectF twipsGeometry(const QWidget *control) const { return m_layout.geometry(control); }

    QLabel *Image1 = nullptr;
    QLabel *Image3 = nullptr;
    QFrame *Line1 = nullptr;
    QLabel *Label1 = nullptr;
    QListWidget *UnitType = nullptr;
    QLabel *ConvertNumName = nullptr;
    QLineEdit *ConvertNum = nullptr;
    QLabel *DecPlaceName = nullptr;
    QComboBox *DecPlace = nullptr;
    QLabel *ConvertFromName = nullptr;
    QComboBox *FromUnit = nullptr;
    QLabel *ConvertToName = nullptr;
    QComboBox *ToUnit = nullptr;
    QPushButton *Convert = nullptr;
    QPushButton *Reset = nullptr;
    QLabel *ResultName = nullptr;
    QLineEdit *Result = nullptr;
    QLabel *Label2 = nullptr;

    QMenu *MenuPopUp = nullptr;
    QAction *mnuOptions = nullptr;
    QAction *mnuInvert = nullptr;
    QAction *mnuATop = nullptr;
    QAction *mnuForm = nullptr;
    QAction *mnuAddUnit = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuBar = nullptr;
    QAction *mnuExit = nullptr;

    conversion::UnitValueArray unitValueArray;

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createPopUpMenu();
    void connectHandlers();
    void placeControls();
    void setWindowSizeTwips(double width, double height);
    void centreOnScreen();
    QList<QWidget *> convertControls() const;
    void emptyUnitLists();
    void setUnitListModel(QComboBox *list, const std::shared_ptr<UnitListModel> &model);
    // Selects position p (-1 for none) as the classic list would: failure 380 outside the list.
    static void selectPosition(QComboBox *list, int position);
    static void selectPosition(QListWidget *list, int position);

    ModalWindows m_modalWindows;
    TwipsLayout m_layout;
    QSizeF m_windowSizeTwips;
    bool m_unloaded = false;
    std::shared_ptr<UnitListModel> m_fromUnitModel;
    std::shared_ptr<UnitListModel> m_toUnitModel;
    UnitListSource m_unitLists;
};
