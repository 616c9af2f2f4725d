#include "app/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStackedWidget>

#include "app/branding.h"
#include "app/click_label.h"
#include "app/code_window.h"
#include "app/edition_choice.h"
#include "app/error_reporting.h"
#include "app/menu_lines.h"
#include "app/page_actions.h"
#include "app/page_builder.h"
#include "app/page_focus.h"
#include "app/page_layout.h"
#include "app/page_shortcuts.h"
#include "app/png_resource.h"
#include "app/site_check.h"
#include "platform/shell.h"
#include "widgets/pixel_picture.h"
#include "widgets/spin_edit.h"
#include "widgets/system_colors.h"
#include "widgets/ui_fonts.h"
#include "widgets/xp_button.h"

// Outside any namespace, as Qt's resource macros require.
static void InitAppResources()
{
    Q_INIT_RESOURCE(app_resources);
}

TForm2* Form2 = nullptr;
std::string LinkUrl;

namespace
{

constexpr int kClientWidth = 538;
constexpr int kClientHeight = 338;

struct MenuLine {
    ClickLabel* TForm2::*member;
    const char* name;
    const char* caption;
    int y;
    void (TForm2::*handler)();
};

// In screen order; the fifth and sixth lines are Label6 and Label5.
const MenuLine kMenu[] = {
    {&TForm2::Label1, "Label1", ">> Break Frames", 8, &TForm2::Label1Click},
    {&TForm2::Label2, "Label2", ">> Bookmark Us!", 30, &TForm2::Label2Click},
    {&TForm2::Label3, "Label3", ">> Email This Page", 50, &TForm2::Label3Click},
    {&TForm2::Label4, "Label4", ">> Set Homepage", 70, &TForm2::Label4Click},
    {&TForm2::Label6, "Label6", ">> Logo Branding", 90, &TForm2::Label6Click},
    {&TForm2::Label5, "Label5", ">> Frameless Popup", 110, &TForm2::Label5Click},
    {&TForm2::Label7, "Label7", ">> Browser  Entry", 130, &TForm2::Label7Click},
    {&TForm2::Label8, "Label8", ">> Language", 150, &TForm2::Label8Click},
    {&TForm2::Label9, "Label9", ">> Orchard search", 170, &TForm2::Label9Click},
    {&TForm2::Label10, "Label10", ">> Popup Page", 190, &TForm2::Label10Click},
};

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
    setFixedSize(kClientWidth, kClientHeight);
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
    new SiteCheck(*this);
    ShowPage(1);
    CenterOnScreen();
    Form2 = this;
    FormCreate();
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::BuildBand()
{
    Image1 = Named(new PixelPicture(this), "Image1");
    Image1->setGeometry(0, 0, 537, 33);
    Image1->setPixmap(LoadPngResource(QStringLiteral(":/sitewright/header-band.png")));

    Label56 = PlainLabel(this, "Label56", QStringLiteral("Sitewright"));
    Label56->setGeometry(16, 2, 505, 30);
    Label56->setAlignment(Qt::AlignCenter);
    Label56->setFont(ui::BandFont(21));
    SetTextColor(Label56, QColor(0xC0, 0xC0, 0xC0));
}

void TForm2::BuildMenu()
{
    Menuepanel1 = Named(new QFrame(this), "Menuepanel1");
    Menuepanel1->setGeometry(0, 36, 161, 213);
    Menuepanel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (const MenuLine& line : kMenu) {
        auto* label = Named(new ClickLabel(Menuepanel1), line.name);
        label->setTextFormat(Qt::PlainText);
        label->setText(QString::fromLatin1(line.caption));
        label->setFont(ui::DialogFont(13));
        label->adjustSize();
        label->move(16, line.y);
        this->*line.member = label;
    }
}

void TForm2::BuildPages()
{
    pageStack_ = new QStackedWidget(this);
    pageStack_->setGeometry(168, 36, 369, 213);
    for (const pages::PageLayout& layout : pages::PageLayouts()) {
        auto* panel = new QFrame;
        panel->setObjectName(QStringLiteral("Panel%1").arg(layout.page));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        pageStack_->addWidget(panel);
        // The stack sizes only its current page; the others have their size from the start too.
        panel->setGeometry(pageStack_->contentsRect());
        this->*layout.panel = panel;
    }
}

// The page's controls and members, and its two buttons wired to their handlers. The buttons
// come last, so a page is built once its Preview button is.
void TForm2::EnsurePageBuilt(int page)
{
    const pages::PageLayout& layout = pages::PageLayoutOf(page);
    if (this->*layout.preview.member)
        return;
    pages::BuildPage(*this, layout);
    for (const pages::ButtonRow& button : {layout.preview, layout.generate})
        connect(this->*button.member, &TxpButton::clicked, this, Guarded(button.handler));
}

void TForm2::BuildFooter()
{
    imgSBIMG = Named(new PixelPicture(this), "imgSBIMG");
    imgSBIMG->setGeometry(2, 256, 536, 57);
    imgSBIMG->setAlignment(Qt::AlignCenter);

    lblTextLink = Named(new ClickLabel(this), "lblTextLink");
    lblTextLink->setTextFormat(Qt::PlainText);
    lblTextLink->setText(QStringLiteral("Visit my website"));
    lblTextLink->setGeometry(1, 320, 537, 13);
    lblTextLink->setAlignment(Qt::AlignCenter);
    lblTextLink->setCursor(Qt::PointingHandCursor); // the menu lines keep the arrow
    lblTextLink->SetKeyboardReachable();
    SetTextColor(lblTextLink, QColor(0x00, 0x00, 0xFF));
}

// Each handler runs guarded, so its error is reported where it happens and never has to travel
// through Qt's own frames.
std::function<void()> TForm2::Guarded(void (TForm2::*handler)())
{
    return [this, handler] { RunReportingErrors([this, handler] { (this->*handler)(); }); };
}

void TForm2::ConnectHandlers()
{
    for (const MenuLine& line : kMenu)
        connect(this->*line.member, &ClickLabel::clicked, this, Guarded(line.handler));
    connect(lblTextLink, &ClickLabel::clicked, this, Guarded(&TForm2::lblTextLinkClick));
}

void TForm2::CenterOnScreen()
{
    if (QScreen* screen = this->screen()) {
        QRect area(QPoint(0, 0), size());
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
}

void TForm2::FormCreate()
{
    ApplyBrandingTexts(*this);
    // An image that cannot be shown is reported like the error of any handler, before the window
    // first shows; the window then opens without it.
    RunReportingErrors([this] { ApplyBrandingImage(*this); });
}

void TForm2::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        FormClose();
}

void TForm2::FormClose()
{
    if (Form4)
        Form4->close();
    QCoreApplication::quit();
}

void TForm2::HideAllPanels()
{
    for (const pages::PageLayout& layout : pages::PageLayouts())
        (this->*layout.panel)->setVisible(false);
}

void TForm2::ShowPage(int page)
{
    QFrame* panel = Page(page);
    EnsurePageBuilt(page);
    HideAllPanels();
    pageStack_->setCurrentWidget(panel);
    // The stack shows a page when it becomes the current one; the page shown last is already
    // the current one.
    panel->setVisible(true);
    ChainAfterPage(panel, lblTextLink);
    FocusShownPage(panel);
    MarkCurrentMenuLine(*Menuepanel1, page);
}

int TForm2::VisiblePage() const
{
    for (const pages::PageLayout& layout : pages::PageLayouts())
        if (!(this->*layout.panel)->isHidden())
            return layout.page;
    return 0;
}

QFrame* TForm2::Page(int page) const
{
    return this->*pages::PageLayoutOf(page).panel;
}

void TForm2::ShowBrandImage(const QImage& image)
{
    imgSBIMG->setPixmap(QPixmap::fromImage(image));
}

void TForm2::lblTextLinkClick()
{
    platform::OpenInBrowser(this, LinkUrl);
}
