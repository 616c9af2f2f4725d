#include "app/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <stdexcept>
#include <utility>

#include "app/branding.h"
#include "app/code_window.h"
#include "app/edition_choice.h"
#include "app/error_reporting.h"
#include "app/header_band.h"
#include "app/instance_slot.h"
#include "app/link_label.h"
#include "app/menu_lines.h"
#include "app/page_actions.h"
#include "app/page_builder.h"
#include "app/page_focus.h"
#include "app/page_layout.h"
#include "app/page_shortcuts.h"
#include "app/qt_text.h"
#include "app/recipe_actions.h"
#include "app/site_check.h"
#include "app/stamp_choice.h"
#include "app/window_geometry.h"
#include "generators/gadget_table.h"
#include "platform/shell.h"
#include "widgets/label_fit.h"
#include "widgets/page_area.h"
#include "widgets/pixel_picture.h"
#include "widgets/system_colors.h"
#include "widgets/ui_fonts.h"
#include "widgets/xp_button.h"

// Outside any namespace, as Qt's resource macros require.
static void InitAppResources()
{
    Q_INIT_RESOURCE(app_resources);
}

namespace
{

int GadgetCount()
{
    return static_cast<int>(gen::GadgetTable().size());
}

template <typename T> T* Named(T* widget, std::string_view name)
{
    widget->setObjectName(ToQString(name));
    return widget;
}

QLabel* PlainLabel(QWidget* parent, std::string_view name, const QString& text)
{
    auto* label = Named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

void SetTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    InitAppResources();
    setObjectName(ToQString(pages::designed::kMainWindow));
    setWindowTitle(QStringLiteral("Sitewright"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(window_geometry::WindowSize(GadgetCount()));
    setFont(ui::DialogFont(11));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ui::ResolveSystemColor(ui::SystemColor::ButtonFace));
    setPalette(palette);
    setAutoFillBackground(true);

    buildBand();
    buildMenu();
    buildPages();
    buildFooter();
    editionChoice = new EditionChoice(this);
    connectHandlers();
    new PageShortcuts(*this);
    new RecipeActions(*this);
    new SiteCheck(*this);
    stampChoice_ = new StampChoice(*this);
    showPage(1);
    centerOnScreen();
    applyBranding();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildBand()
{
    bandPicture = Named(new PixelPicture(this), pages::designed::kBand);
    bandPicture->setGeometry(0, 0, 537, 33);
    bandPicture->setPixmap(HeaderBandPixmap());

    titleLabel = PlainLabel(this, pages::designed::kTitle, QStringLiteral("Sitewright"));
    titleLabel->setGeometry(16, 2, 505, 30);
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setFont(ui::BandFont(21));
    SetTextColor(titleLabel, QColor(0xC0, 0xC0, 0xC0));
}

void MainWindow::buildMenu()
{
    menuPanel = Named(new QFrame(this), pages::designed::kMenuPanel);
    menuPanel->setGeometry(window_geometry::MenuPanel(GadgetCount()));
    menuPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        auto* label = new LinkLabel(menuPanel);
        label->setObjectName(ToQString(pages::PageLayoutOf(gadget.page).menuLine));
        label->setTextFormat(Qt::PlainText);
        label->setText(ToQString(gadget.menuCaption));
        label->setFont(ui::DialogFont(13));
        FitLabelToText(*label);
        label->move(16, window_geometry::MenuLineY(static_cast<int>(menuLines_.size())));
        menuLines_.push_back(label);
    }
}

void MainWindow::buildPages()
{
    pageArea_ = new PageArea(this);
    pageArea_->setGeometry(window_geometry::PageArea(GadgetCount()));
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        auto* panel = new QFrame;
        panel->setObjectName(ToQString(pages::PanelName(gadget.page)));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        pageArea_->addPage(panel);
        pages_.push_back(panel);
    }
    built_.assign(pages_.size(), false);
}

// The page's controls, and its two buttons wired to the handlers every page shares.
void MainWindow::ensurePageBuilt(int page)
{
    QFrame* panel = pagePanel(page);
    const std::size_t index = static_cast<std::size_t>(page - 1);
    if (built_[index])
        return;
    const pages::PageButtons buttons =
        pages::BuildPage(panel, *gen::GadgetOfPage(page), pages::PageLayoutOf(page));
    built_[index] = true;
    // The link line follows the last page built in the Tab ring; every hidden page's controls
    // before it are passed over, so Tab reaches it after the shown page's own.
    ChainAfterPage(panel, linkLine);
    connect(buttons.preview, &XpButton::clicked, this,
            ReportingErrors([this, page] { previewClicked(page); }));
    connect(buttons.generate, &XpButton::clicked, this,
            ReportingErrors([this, page] { generateCodeClicked(page); }));
    Q_EMIT pageBuilt(page);
}

void MainWindow::buildFooter()
{
    brandPicture = Named(new PixelPicture(this), pages::designed::kBrandPicture);
    brandPicture->setGeometry(window_geometry::BrandImage(GadgetCount()));
    brandPicture->setAlignment(Qt::AlignCenter);

    linkLine = Named(new LinkLabel(this), pages::designed::kLinkLine);
    linkLine->setTextFormat(Qt::PlainText);
    linkLine->setText(QStringLiteral("Visit my website"));
    linkLine->setGeometry(window_geometry::LinkLine(GadgetCount()));
    linkLine->setAlignment(Qt::AlignCenter);
    linkLine->setCursor(Qt::PointingHandCursor); // the menu lines keep the arrow
    linkLine->setKeyboardReachable();
    SetTextColor(linkLine, QColor(0x00, 0x00, 0xFF));
}

void MainWindow::connectHandlers()
{
    for (std::size_t i = 0; i < menuLines_.size(); ++i) {
        const int page = static_cast<int>(i) + 1;
        connect(menuLines_[i], &LinkLabel::clicked, this,
                ReportingErrors([this, page] { showPage(page); }));
    }
    connect(linkLine, &LinkLabel::clicked, this, ReportingErrors([this] { linkLineClicked(); }));
}

void MainWindow::centerOnScreen()
{
    if (QScreen* screen = this->screen()) {
        QRect area(QPoint(0, 0), size());
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft() + WindowOffset());
    }
}

void MainWindow::applyBranding()
{
    applyBrandingTexts(ReadBrandingTexts());
    // An image that cannot be shown is reported like the error of any handler, before the window
    // first shows; the window then opens without it.
    RunReportingErrors([this] {
        if (const QImage image = ReadBrandingPicture(brandPicture->contentsRect().size());
            !image.isNull())
            showBrandImage(image);
    });
}

// A short trailer brands what it has items for, and the rest keeps its design text.
void MainWindow::applyBrandingTexts(const std::vector<std::string>& items)
{
    if (items.size() > 0) {
        const QString title = QString::fromStdString(items[0]);
        QCoreApplication::setApplicationName(title);
        setWindowTitle(title);
        titleLabel->setText(title);
    }
    if (items.size() > 1)
        linkLine->setPlainText(QString::fromStdString(items[1]));
    if (items.size() > 2)
        linkUrl_ = items[2];
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        endProgram();
}

void MainWindow::endProgram()
{
    if (codeWindow_)
        codeWindow_->close();
    QCoreApplication::quit();
}

void MainWindow::hideAllPanels(const QFrame* shown)
{
    for (QFrame* panel : pages_)
        if (panel != shown)
            panel->setVisible(false);
}

void MainWindow::showPage(int page)
{
    QFrame* panel = pagePanel(page);
    ensurePageBuilt(page);
    // The page takes the focus before the one it replaces is hidden: a hidden page holding the
    // focus would pass it along the Tab chain first, to the link line, which would then build a
    // text document of its own and paint twice, all for a focus the page takes straight back.
    panel->setVisible(true);
    FocusShownPage(panel);
    hideAllPanels(panel);
    MarkCurrentMenuLine(*menuPanel, page);
}

int MainWindow::visiblePage() const
{
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (!pages_[i]->isHidden())
            return static_cast<int>(i) + 1;
    return 0;
}

int MainWindow::pageCount() const
{
    return static_cast<int>(pages_.size());
}

QFrame* MainWindow::pagePanel(int page) const
{
    if (page < 1 || page > pageCount())
        throw std::out_of_range("No page " + std::to_string(page));
    return pages_[static_cast<std::size_t>(page - 1)];
}

void MainWindow::showBrandImage(const QImage& image)
{
    brandPicture->setPixmap(QPixmap::fromImage(image));
}

void MainWindow::linkLineClicked()
{
    platform::OpenInBrowser(this, linkUrl_);
}

CodeWindow& MainWindow::codeWindow()
{
    if (!codeWindow_)
        codeWindow_ = std::make_unique<CodeWindow>();
    return *codeWindow_;
}

bool MainWindow::stampChosen() const
{
    return stampChoice_->chosen();
}

void MainWindow::generatePageCode(int page)
{
    const gen::GadgetEntry* gadget = gen::GadgetOfPage(page);
    if (!gadget || !gadget->generate) {
        codeWindow().setCode(gen::CodeBuffer());
        return;
    }
    // A page not shown yet holds its fields as they start.
    ensurePageBuilt(page);
    const gen::Edition edition = editionChoice->edition();
    codeWindow().setSnippet(PageCode(*pagePanel(page), *gadget, edition, stampChosen()), *gadget,
                            edition);
}

void MainWindow::previewClicked(int page)
{
    generatePageCode(page);
    PreviewCodeWindow(codeWindow(), this);
}

void MainWindow::generateCodeClicked(int page)
{
    generatePageCode(page);
    ShowCodeWindow(codeWindow());
}
