#include "app/snippet_status.h"

#include "generators/compatibility.h"
#include "widgets/system_colors.h"
#include "widgets/ui_fonts.h"

namespace
{

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SnippetStatus::SnippetStatus(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lblSnippetStatus"));
    setFont(ui::DialogFont(11));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(4);
    setMargin(1);
    // Set apart from the code below it, which the user may edit, as the window's own words.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ui::ResolveSystemColor(ui::SystemColor::ButtonFace));
    setPalette(palette);
    setAutoFillBackground(true);
    hide();
}

void SnippetStatus::showFor(const gen::GadgetEntry& gadget, gen::Edition edition)
{
    const gen::Compatibility& c = gadget.compatibility;
    const bool today = edition == gen::Edition::Today;
    setText((today ? QStringLiteral("Today's edition") : QStringLiteral("Classic edition")) +
            QStringLiteral(" \u2014 in today's browsers: ") +
            FromView(gen::SupportWord(today ? c.today : c.classic)));
    setToolTip(FromView(today ? c.todaySentence : c.sentence));
    show();
}

void SnippetStatus::clearStatus()
{
    clear();
    setToolTip(QString());
    hide();
}
