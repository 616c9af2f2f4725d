#include "app/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <stdexcept>
#include <utility>

#include "app/branding.h"
#include "app/click_label.h"
#include "app/code_window.h"
#include "app/edition_choice.h"
#include "app/error_reporting.h"
#include "app/header_band.h"
#include "app/instance_slot.h"
#include "app/menu_lines.h"
#include "app/page_actions.h"
#include "app/page_builder.h"
#include "app/page_focus.h"
#include "app/page_layout.h"
#include "app/page_shortcuts.h"
#include "app/recipe_actions.h"
#include "app/site_check.h"
#include "app/stamp_choice.h"
#include "app/window_geometry.h"
#include "generators/gadget_table.h"
#include "platform/shell.h"
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

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(QByteArrayView(text));
}

template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* PlainLabel(QWidget* parent, const char* name, const QString& text)
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

TForm2::TForm2(QWidget* parent) : QWidget(parent)
{
    InitAppResources();
    setObjectName(QStringLiteral("Form2"));
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

    BuildBand();
    BuildMenu();
    BuildPages();
    BuildFooter();
    chkTodaysEdition = new EditionChoice(this);
    ConnectHandlers();
    new PageShortcuts(*this);
    new RecipeActions(*this);
    new SiteCheck(*this);
    stampChoice_ = new StampChoice(*this);
    ShowPage(1);
    CenterOnScreen();
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::BuildBand()
{
    Image1 = Named(new PixelPicture(this), "Image1");
    Image1->setGeometry(0, 0, 537, 33);
    Image1->setPixmap(HeaderBandPixmap());

    Label56 = PlainLabel(this, "Label56", QStringLiteral("Sitewright"));
    Label56->setGeometry(16, 2, 505, 30);
    Label56->setAlignment(Qt::AlignCenter);
    Label56->setFont(ui::BandFont(21));
    SetTextColor(Label56, QColor(0xC0, 0xC0, 0xC0));
}

void TForm2::BuildMenu()
{
    Menuepanel1 = Named(new QFrame(this), "Menuepanel1");
    Menuepanel1->setGeometry(window_geometry::MenuPanel(GadgetCount()));
    Menuepanel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        auto* label = new ClickLabel(Menuepanel1);
        label->setObjectName(ToQString(pages::PageLayoutOf(gadget.page).menuLine));
        label->setTextFormat(Qt::PlainText);
        label->setText(ToQString(gadget.menuCaption));
        label->setFont(ui::DialogFont(13));
        label->adjustSize();
        label->move(16, window_geometry::MenuLineY(static_cast<int>(menuLines_.size())));
        menuLines_.push_back(label);
    }
}

void TForm2::BuildPages()
{
    pageArea_ = new PageArea(this);
    pageArea_->setGeometry(window_geometry::PageArea(GadgetCount()));
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        auto* panel = new QFrame;
        panel->setObjectName(QStringLiteral("Panel%1").arg(gadget.page));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        pageArea_->AddPage(panel);
        pages_.push_back(panel);
    }
    built_.assign(pages_.size(), false);
}

// The page's controls, and its two buttons wired to the handlers every page shares.
void TForm2::EnsurePageBuilt(int page)
{
    QFrame* panel = Page(page);
    const std::size_t index = static_cast<std::size_t>(page - 1);
    if (built_[index])
        return;
    const pages::PageButtons buttons =
        pages::BuildPage(panel, *gen::GadgetOfPage(page), pages::PageLayoutOf(page));
    built_[index] = true;
    // The link line follows the last page built in the Tab ring; every hidden page's controls
    // before it are passed over, so Tab reaches it after the shown page's own.
    ChainAfterPage(panel, lblTextLink);
    connect(buttons.preview, &TxpButton::clicked, this,
            Guarded([this, page] { PreviewClick(page); }));
    connect(buttons.generate, &TxpButton::clicked, this,
            Guarded([this, page] { GenerateCodeClick(page); }));
    Q_EMIT PageBuilt(page);
}

void TForm2::BuildFooter()
{
    imgSBIMG = Named(new PixelPicture(this), "imgSBIMG");
    imgSBIMG->setGeometry(window_geometry::BrandImage(GadgetCount()));
    imgSBIMG->setAlignment(Qt::AlignCenter);

    lblTextLink = Named(new ClickLabel(this), "lblTextLink");
    lblTextLink->setTextFormat(Qt::PlainText);
    lblTextLink->setText(QStringLiteral("Visit my website"));
    lblTextLink->setGeometry(window_geometry::LinkLine(GadgetCount()));
    lblTextLink->setAlignment(Qt::AlignCenter);
    lblTextLink->setCursor(Qt::PointingHandCursor); // the menu lines keep the arrow
    lblTextLink->SetKeyboardReachable();
    SetTextColor(lblTextLink, QColor(0x00, 0x00, 0xFF));
}

// Each handler runs guarded, so its error is reported where it happens and never has to travel
// through Qt's own frames.
std::function<void()> TForm2::Guarded(std::function<void()> handler)
{
    return [handler = std::move(handler)] { RunReportingErrors(handler); };
}

void TForm2::ConnectHandlers()
{
    for (std::size_t i = 0; i < menuLines_.size(); ++i) {
        const int page = static_cast<int>(i) + 1;
        connect(menuLines_[i], &ClickLabel::clicked, this,
                Guarded([this, page] { ShowPage(page); }));
    }
    connect(lblTextLink, &ClickLabel::clicked, this, Guarded([this] { lblTextLinkClick(); }));
}

void TForm2::CenterOnScreen()
{
    if (QScreen* screen = this->screen()) {
        QRect area(QPoint(0, 0), size());
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft() + WindowOffset());
    }
}

void TForm2::FormCreate()
{
    ApplyBrandingTexts(ReadBrandingTexts());
    // An image that cannot be shown is reported like the error of any handler, before the window
    // first shows; the window then opens without it.
    RunReportingErrors([this] {
        if (const QImage image = ReadBrandingPicture(imgSBIMG->contentsRect().size());
            !image.isNull())
            ShowBrandImage(image);
    });
}

// A short trailer brands what it has items for, and the rest keeps its design text.
void TForm2::ApplyBrandingTexts(const std::vector<std::string>& items)
{
    if (items.size() > 0) {
        const QString title = QString::fromStdString(items[0]);
        QCoreApplication::setApplicationName(title);
        setWindowTitle(title);
        Label56->setText(title);
    }
    if (items.size() > 1)
        lblTextLink->SetPlainText(QString::fromStdString(items[1]));
    if (items.size() > 2)
        linkUrl_ = items[2];
}

void TForm2::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        FormClose();
}

void TForm2::FormClose()
{
    if (codeWindow_)
        codeWindow_->close();
    QCoreApplication::quit();
}

void TForm2::HideAllPanels(const QFrame* shown)
{
    for (QFrame* panel : pages_)
        if (panel != shown)
            panel->setVisible(false);
}

void TForm2::ShowPage(int page)
{
    QFrame* panel = Page(page);
    EnsurePageBuilt(page);
    // The page takes the focus before the one it replaces is hidden: a hidden page holding the
    // focus would pass it along the Tab chain first, to the link line, which would then build a
    // text document of its own and paint twice, all for a focus the page takes straight back.
    panel->setVisible(true);
    FocusShownPage(panel);
    HideAllPanels(panel);
    MarkCurrentMenuLine(*Menuepanel1, page);
}

int TForm2::VisiblePage() const
{
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (!pages_[i]->isHidden())
            return static_cast<int>(i) + 1;
    return 0;
}

int TForm2::PageCount() const
{
    return static_cast<int>(pages_.size());
}

QFrame* TForm2::Page(int page) const
{
    if (page < 1 || page > PageCount())
        throw std::out_of_range("No page " + std::to_string(page));
    return pages_[static_cast<std::size_t>(page - 1)];
}

void TForm2::ShowBrandImage(const QImage& image)
{
    imgSBIMG->setPixmap(QPixmap::fromImage(image));
}

void TForm2::lblTextLinkClick()
{
    platform::OpenInBrowser(this, linkUrl_);
}

TForm4& TForm2::CodeWindow()
{
    if (!codeWindow_)
        codeWindow_ = std::make_unique<TForm4>();
    return *codeWindow_;
}

bool TForm2::StampChosen() const
{
    return stampChoice_->Chosen();
}

void TForm2::GenPage(int page)
{
    const gen::GadgetEntry* gadget = gen::GadgetOfPage(page);
    if (!gadget || !gadget->generate) {
        CodeWindow().SetCode(gen::CodeBuffer());
        return;
    }
    // A page not shown yet holds its fields as they start.
    EnsurePageBuilt(page);
    const gen::Edition edition = chkTodaysEdition->Edition();
    CodeWindow().SetSnippet(PageCode(*Page(page), *gadget, edition, StampChosen()), *gadget,
                            edition);
}

void TForm2::PreviewClick(int page)
{
    GenPage(page);
    PreviewCodeWindow(CodeWindow(), this);
}

void TForm2::GenerateCodeClick(int page)
{
    GenPage(page);
    ShowCodeWindow(CodeWindow());
}
