#include "app/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <stdexcept>

#include "app/branding.h"
#include "app/click_label.h"
#include "app/code_window.h"
#include "app/edition_choice.h"
#include "app/error_reporting.h"
#include "app/page_actions.h"
#include "app/page_builder.h"
#include "platform/shell.h"
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

QFrame* TForm2::*const kPanels[] = {
    &TForm2::Panel1, &TForm2::Panel2, &TForm2::Panel3, &TForm2::Panel4, &TForm2::Panel5,
    &TForm2::Panel6, &TForm2::Panel7, &TForm2::Panel8, &TForm2::Panel9, &TForm2::Panel10,
};

// xpButton1 ... xpButton20 with their handlers.
struct PageButton {
    TxpButton* TForm2::*member;
    void (TForm2::*handler)();
};

#define SW_BUTTON(n)                                                                               \
    {                                                                                              \
        &TForm2::xpButton##n, &TForm2::xpButton##n##Click                                          \
    }
const PageButton kButtons[] = {
    SW_BUTTON(1),  SW_BUTTON(2),  SW_BUTTON(3),  SW_BUTTON(4),  SW_BUTTON(5),
    SW_BUTTON(6),  SW_BUTTON(7),  SW_BUTTON(8),  SW_BUTTON(9),  SW_BUTTON(10),
    SW_BUTTON(11), SW_BUTTON(12), SW_BUTTON(13), SW_BUTTON(14), SW_BUTTON(15),
    SW_BUTTON(16), SW_BUTTON(17), SW_BUTTON(18), SW_BUTTON(19), SW_BUTTON(20),
};
#undef SW_BUTTON

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
    BindComponents();
    ConnectHandlers();
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
    Image1 = Named(new QLabel(this), "Image1");
    Image1->setGeometry(0, 0, 537, 33);
    Image1->setPixmap(QPixmap(QStringLiteral(":/sitewright/header-band.png")));

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
    int page = 1;
    for (QFrame* TForm2::*member : kPanels) {
        auto* panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(page));
        panel->setGeometry(168, 36, 369, 213);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        pages::BuildPage(panel, pages::PageLayoutOf(page));
        this->*member = panel;
        ++page;
    }
}

void TForm2::BuildFooter()
{
    imgSBIMG = Named(new QLabel(this), "imgSBIMG");
    imgSBIMG->setGeometry(2, 256, 536, 57);
    imgSBIMG->setAlignment(Qt::AlignCenter);

    lblTextLink = Named(new ClickLabel(this), "lblTextLink");
    lblTextLink->setTextFormat(Qt::PlainText);
    lblTextLink->setText(QStringLiteral("Visit my website"));
    lblTextLink->setGeometry(1, 320, 537, 13);
    lblTextLink->setAlignment(Qt::AlignCenter);
    lblTextLink->setCursor(Qt::PointingHandCursor); // the menu lines keep the arrow
    SetTextColor(lblTextLink, QColor(0x00, 0x00, 0xFF));
}

template <typename T> void TForm2::Bind(T*& member, const QString& name)
{
    member = findChild<T*>(name);
    if (!member)
        throw std::logic_error("The main window has no control named " + name.toStdString());
}

void TForm2::BindComponents()
{
    for (const PageButton& button : kButtons) {
        const int number = static_cast<int>(&button - kButtons) + 1;
        Bind(this->*button.member, QStringLiteral("xpButton%1").arg(number));
    }
    BindPageControls();
}

#define SW_BIND(member) Bind(member, QStringLiteral(#member))
void TForm2::BindPageControls()
{
    SW_BIND(Label77);
    SW_BIND(Label78);
    SW_BIND(Label79);
    SW_BIND(Label11);
    SW_BIND(Label12);
    SW_BIND(Label13);
    SW_BIND(Label14);
    SW_BIND(Edit1);
    SW_BIND(Label15);
    SW_BIND(Edit2);
    SW_BIND(Label16);
    SW_BIND(Label17);
    SW_BIND(Label18);
    SW_BIND(Label19);
    SW_BIND(Label20);
    SW_BIND(Label21);
    SW_BIND(Label22);
    SW_BIND(Edit3);
    SW_BIND(Label23);
    SW_BIND(Label24);
    SW_BIND(Label25);
    SW_BIND(Label26);
    SW_BIND(Edit4);
    SW_BIND(Label27);
    SW_BIND(Edit5);
    SW_BIND(Label30);
    SW_BIND(Edit6);
    SW_BIND(Label28);
    SW_BIND(SpinEdit1);
    SW_BIND(Label29);
    SW_BIND(SpinEdit2);
    SW_BIND(Label31);
    SW_BIND(Label32);
    SW_BIND(Label33);
    SW_BIND(Label34);
    SW_BIND(Edit7);
    SW_BIND(Label35);
    SW_BIND(Edit8);
    SW_BIND(Label36);
    SW_BIND(Edit9);
    SW_BIND(Label37);
    SW_BIND(ComboBox1);
    SW_BIND(Label38);
    SW_BIND(Label39);
    SW_BIND(Label40);
    SW_BIND(Label41);
    SW_BIND(Edit10);
    SW_BIND(Label42);
    SW_BIND(Edit11);
    SW_BIND(Label43);
    SW_BIND(Label44);
    SW_BIND(Label45);
    SW_BIND(Label46);
    SW_BIND(Label47);
    SW_BIND(Label48);
    SW_BIND(Label49);
    SW_BIND(Label50);
    SW_BIND(Label51);
    SW_BIND(Label52);
    SW_BIND(Edit12);
    SW_BIND(Label54);
    SW_BIND(Edit14);
    SW_BIND(Label55);
    SW_BIND(Edit15);
    SW_BIND(Label53);
    SW_BIND(Edit13);
}
#undef SW_BIND

void TForm2::ConnectHandlers()
{
    // Each handler runs guarded, so its error is reported where it happens and never has to
    // travel through Qt's own frames.
    const auto guarded = [this](void (TForm2::*handler)()) {
        return [this, handler] { RunReportingErrors([this, handler] { (this->*handler)(); }); };
    };
    for (const MenuLine& line : kMenu)
        connect(this->*line.member, &ClickLabel::clicked, this, guarded(line.handler));
    connect(lblTextLink, &ClickLabel::clicked, this, guarded(&TForm2::lblTextLinkClick));
    for (const PageButton& button : kButtons)
        connect(this->*button.member, &TxpButton::clicked, this, guarded(button.handler));
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
    for (QFrame* TForm2::*member : kPanels)
        (this->*member)->setVisible(false);
}

void TForm2::ShowPage(int page)
{
    QFrame* panel = Page(page);
    HideAllPanels();
    panel->setVisible(true);
}

int TForm2::VisiblePage() const
{
    for (int page = 1; page <= 10; ++page)
        if (!Page(page)->isHidden())
            return page;
    return 0;
}

QFrame* TForm2::Page(int page) const
{
    if (page < 1 || page > 10)
        throw std::out_of_range("No page " + std::to_string(page));
    return this->*kPanels[page - 1];
}

void TForm2::ShowBrandImage(const QImage& image)
{
    imgSBIMG->setPixmap(QPixmap::fromImage(image));
}

void TForm2::lblTextLinkClick()
{
    platform::ShellExecute(this, "open", "iexplore.exe", "-new " + LinkUrl + " ", "",
                           platform::kShowNormal);
}
