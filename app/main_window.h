#pragma once

#include <QWidget>
#include <functional>
#include <string>

class ClickLabel;
class EditionChoice;
class QComboBox;
class QFrame;
class QImage;
class QLabel;
class QLineEdit;
class QStackedWidget;
class TSpinEdit;
class TxpButton;

// The main window: a title band, the menu of the ten gadgets on the left, one page per gadget
// on the right (one visible at a time), the branding picture and the link line at the bottom.
// Every component is a member and carries its member name as object name. Only page 1 is
// built with the window; every other page is built when it first shows.
class TForm2 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // Sets every page invisible, Panel1 first.
    void HideAllPanels();
    // Shows page 1 ... 10 alone. Throws std::out_of_range for any other number.
    void ShowPage(int page);
    // The visible page, 0 when none is.
    int VisiblePage() const;
    // The page Panel1 ... Panel10 for 1 ... 10. Throws std::out_of_range for any other number.
    QFrame* Page(int page) const;
    // Builds the controls of page 1 ... 10 unless they are built; ShowPage does so before the
    // page first shows. Until then the page is empty and its members are nullptr.
    void EnsurePageBuilt(int page);

    // Shows `image` in imgSBIMG, centred and unscaled; a larger image is clipped at its edges.
    void ShowBrandImage(const QImage& image);

    // Menu lines.
    void Label1Click() { ShowPage(1); }
    void Label2Click() { ShowPage(2); }
    void Label3Click() { ShowPage(3); }
    void Label4Click() { ShowPage(4); }
    void Label6Click() { ShowPage(5); }
    void Label5Click() { ShowPage(6); }
    void Label7Click() { ShowPage(7); }
    void Label8Click() { ShowPage(8); }
    void Label9Click() { ShowPage(9); }
    void Label10Click() { ShowPage(10); }

    // Opens LinkUrl in the web browser.
    void lblTextLinkClick();

    // Page buttons: on page k, xpButton<2k-1> previews and xpButton<2k> generates code.
    void xpButton1Click();
    void xpButton2Click();
    void xpButton3Click();
    void xpButton4Click();
    void xpButton5Click();
    void xpButton6Click();
    void xpButton7Click();
    void xpButton8Click();
    void xpButton9Click();
    void xpButton10Click();
    void xpButton11Click();
    void xpButton12Click();
    void xpButton13Click();
    void xpButton14Click();
    void xpButton15Click();
    void xpButton16Click();
    void xpButton17Click();
    void xpButton18Click();
    void xpButton19Click();
    void xpButton20Click();

    // Title band, menu and footer.
    QLabel* Image1 = nullptr;
    QLabel* Label56 = nullptr;
    QFrame* Menuepanel1 = nullptr;
    ClickLabel* Label1 = nullptr;
    ClickLabel* Label2 = nullptr;
    ClickLabel* Label3 = nullptr;
    ClickLabel* Label4 = nullptr;
    ClickLabel* Label6 = nullptr;
    ClickLabel* Label5 = nullptr;
    ClickLabel* Label7 = nullptr;
    ClickLabel* Label8 = nullptr;
    ClickLabel* Label9 = nullptr;
    ClickLabel* Label10 = nullptr;
    QLabel* imgSBIMG = nullptr;
    ClickLabel* lblTextLink = nullptr;
    // Classic or today's edition for every page's Preview and Generate Code.
    EditionChoice* chkTodaysEdition = nullptr;

    // Pages.
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QFrame* Panel4 = nullptr;
    QFrame* Panel5 = nullptr;
    QFrame* Panel6 = nullptr;
    QFrame* Panel7 = nullptr;
    QFrame* Panel8 = nullptr;
    QFrame* Panel9 = nullptr;
    QFrame* Panel10 = nullptr;

    // Page buttons.
    TxpButton* xpButton1 = nullptr;
    TxpButton* xpButton2 = nullptr;
    TxpButton* xpButton3 = nullptr;
    TxpButton* xpButton4 = nullptr;
    TxpButton* xpButton5 = nullptr;
    TxpButton* xpButton6 = nullptr;
    TxpButton* xpButton7 = nullptr;
    TxpButton* xpButton8 = nullptr;
    TxpButton* xpButton9 = nullptr;
    TxpButton* xpButton10 = nullptr;
    TxpButton* xpButton11 = nullptr;
    TxpButton* xpButton12 = nullptr;
    TxpButton* xpButton13 = nullptr;
    TxpButton* xpButton14 = nullptr;
    TxpButton* xpButton15 = nullptr;
    TxpButton* xpButton16 = nullptr;
    TxpButton* xpButton17 = nullptr;
    TxpButton* xpButton18 = nullptr;
    TxpButton* xpButton19 = nullptr;
    TxpButton* xpButton20 = nullptr;

    // Page controls, built from the page layouts (page_layout.cpp) and bound from their rows.
    QLabel* Label77 = nullptr;
    QLabel* Label78 = nullptr;
    QLabel* Label79 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label15 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label22 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label24 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label26 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLabel* Label27 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLabel* Label30 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLabel* Label28 = nullptr;
    TSpinEdit* SpinEdit1 = nullptr;
    QLabel* Label29 = nullptr;
    TSpinEdit* SpinEdit2 = nullptr;
    QLabel* Label31 = nullptr;
    QLabel* Label32 = nullptr;
    QLabel* Label33 = nullptr;
    QLabel* Label34 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLabel* Label35 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLabel* Label36 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLabel* Label37 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label38 = nullptr;
    QLabel* Label39 = nullptr;
    QLabel* Label40 = nullptr;
    QLabel* Label41 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLabel* Label42 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QLabel* Label43 = nullptr;
    QLabel* Label44 = nullptr;
    QLabel* Label45 = nullptr;
    QLabel* Label46 = nullptr;
    QLabel* Label47 = nullptr;
    QLabel* Label48 = nullptr;
    QLabel* Label49 = nullptr;
    QLabel* Label50 = nullptr;
    QLabel* Label51 = nullptr;
    QLabel* Label52 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QLabel* Label54 = nullptr;
    QLineEdit* Edit14 = nullptr;
    QLabel* Label55 = nullptr;
    QLineEdit* Edit15 = nullptr;
    QLabel* Label53 = nullptr;
    QLineEdit* Edit13 = nullptr;

Q_SIGNALS:
    // The controls of `page` now exist (on its first show, or when built ahead of it).
    void PageBuilt(int page);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The last step of construction; the window's branding goes here.
    void FormCreate();
    // Closing the main window ends the program, the code window included.
    void FormClose();

    void BuildBand();
    void BuildMenu();
    void BuildPages();
    void BuildFooter();
    void ConnectHandlers();
    void CenterOnScreen();
    // Runs the handler on this window, reporting what it throws.
    std::function<void()> Guarded(void (TForm2::*handler)());

    // Holds Panel1 ... Panel10 in page order, all at the same place.
    QStackedWidget* pageStack_ = nullptr;
};

// The single main window, set while one exists.
extern TForm2* Form2;

// The web address the link line opens; empty until branding sets it.
extern std::string LinkUrl;
