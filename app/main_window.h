#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class LinkLabel;
class EditionChoice;
class PageArea;
class QFrame;
class QImage;
class QLabel;
class StampChoice;
class CodeWindow;

// The main window: a title band, the menu of the gadgets on the left, one page per gadget on
// the right (one visible at a time), the branding picture and the link line at the bottom.
// Every component carries its designed name as object name. Only page 1 is built with the
// window; every other page is built while the program is idle after its first paint (see
// idle_steps.h), or when it first shows if that comes sooner.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Sets every page invisible, Panel1 first, but `shown` when one is given.
    void hideAllPanels(const QFrame* shown = nullptr);
    // Shows page 1 ... pageCount() alone. Throws std::out_of_range for any other number.
    void showPage(int page);
    // The visible page, 0 when none is.
    int visiblePage() const;
    // One page per gadget of the gadget table, in its order.
    int pageCount() const;
    // The page Panel<page> for 1 ... pageCount(). Throws std::out_of_range for any other number.
    QFrame* pagePanel(int page) const;
    // Builds the controls of a page unless they are built; showPage does so before the page
    // first shows. Until then the page is empty.
    void ensurePageBuilt(int page);

    // Shows `image` in brandPicture, centred and unscaled; a larger image is clipped at its edges.
    void showBrandImage(const QImage& image);

    // The web address the link line opens; empty until branding sets it.
    const std::string& linkUrl() const { return linkUrl_; }
    void setLinkUrl(std::string url) { linkUrl_ = std::move(url); }
    // Opens linkUrl() in the web browser.
    void linkLineClicked();

    // The window's code window, made on first use: it is not on screen before the first Generate
    // Code or Preview click, and building it (its text box above all) would only lengthen
    // start-up. It goes with the main window.
    CodeWindow& codeWindow();
    // The code window when it has been made, else nullptr.
    CodeWindow* madeCodeWindow() const { return codeWindow_.get(); }

    // Runs the generator of page 1 ... the last with the page's fields, the chosen edition and
    // stamp, and puts the result into the code window. A page not shown yet is built first, so
    // its fields read as they start.
    void generatePageCode(int page);
    // What every page's two buttons do: generate the page's code, then preview it in the web
    // browser or show it in the code window.
    void previewClicked(int page);
    void generateCodeClicked(int page);
    // Whether the window's stamp choice asks for the stamp line.
    bool stampChosen() const;

    // Title band, menu and footer. The pages' controls have no members: each carries its
    // object name, which the page layouts and the gadget table give it.
    QLabel* bandPicture = nullptr;
    QLabel* titleLabel = nullptr;
    QFrame* menuPanel = nullptr;
    QLabel* brandPicture = nullptr;
    LinkLabel* linkLine = nullptr;
    // Classic or today's edition for every page's Preview and Generate Code.
    EditionChoice* editionChoice = nullptr;

Q_SIGNALS:
    // The controls of `page` now exist (on its first show, or when built ahead of it).
    void pageBuilt(int page);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The last step of construction; the window's branding goes here.
    void applyBranding();
    // Items 0 ... 2 of the branding: the title (the application's, the window's and the band's),
    // the link line's caption, its web address; missing items leave their design texts.
    void applyBrandingTexts(const std::vector<std::string>& items);
    // Closing the main window ends the program, the code window included.
    void endProgram();

    void buildBand();
    void buildMenu();
    void buildPages();
    void buildFooter();
    void connectHandlers();
    void centerOnScreen();

    // Holds the pages in page order, all at the same place.
    PageArea* pageArea_ = nullptr;
    std::vector<QFrame*> pages_;
    std::vector<LinkLabel*> menuLines_;
    std::vector<bool> built_;
    StampChoice* stampChoice_ = nullptr;
    std::string linkUrl_;
    std::unique_ptr<CodeWindow> codeWindow_;
};
