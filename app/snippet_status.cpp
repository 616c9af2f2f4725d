#include "app/snippet_status.h"

#include "widgets/ui_fonts.h"

namespace
{

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SnippetStatus::SnippetStatus(QWidget* codeWindow) : QLabel(codeWindow)
{
    setObjectName(QStringLiteral("lblSnippetStatus"));
    setFont(ui::DialogFont(11));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Left of Bevel2 (x 56) and below Bevel1 (y 361), inside the 497 x 402 client area.
    setGeometry(3, 362, 52, 40);
}

void SnippetStatus::ShowFor(const gen::GadgetSpec& gadget, gen::Edition edition)
{
    const gen::Compatibility& c = gadget.compatibility;
    const bool today = edition == gen::Edition::Today;
    setText((today ? QStringLiteral("Today's:\n") : QStringLiteral("Classic:\n")) +
            FromView(gen::SupportWord(today ? c.today : c.classic)));
    setToolTip(FromView(today ? c.todaySentence : c.sentence));
}

void SnippetStatus::Clear()
{
    clear();
    setToolTip(QString());
}
