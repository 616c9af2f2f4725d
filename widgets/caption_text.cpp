#include "widgets/caption_text.h"

namespace caption
{

namespace
{

// The length of the character starting at index: a whole surrogate pair counts as one.
qsizetype CharLength(const QString& text, qsizetype index)
{
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() &&
        text.at(index + 1).isLowSurrogate())
        return 2;
    return 1;
}

QString FoldAsciiLetters(QString text)
{
    for (QChar& c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return text;
}

} // namespace

QString DisplayText(const QString& caption)
{
    QString text = caption;
    const qsizetype at = FirstAmpersand(caption);
    if (at >= 0)
        text.remove(at, 1);
    return text;
}

qsizetype FirstAmpersand(const QString& caption)
{
    return caption.indexOf(QLatin1Char('&'));
}

QString Accelerator(const QString& caption)
{
    QString found;
    qsizetype i = 0;
    while (i < caption.size()) {
        const qsizetype length = CharLength(caption, i);
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size()) {
            const qsizetype next = CharLength(caption, i + 1);
            if (caption.at(i + 1) != QLatin1Char('&'))
                found = caption.mid(i + 1, next);
            i += 1 + next;
            continue;
        }
        i += length;
    }
    return found;
}

bool MatchesAccelerator(const QString& caption, const QString& typed)
{
    const QString accelerator = Accelerator(caption);
    return !accelerator.isEmpty() && FoldAsciiLetters(accelerator) == FoldAsciiLetters(typed);
}

} // namespace caption
