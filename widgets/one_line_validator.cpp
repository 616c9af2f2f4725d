#include "widgets/one_line_validator.h"

#include <algorithm>

namespace
{

bool IsLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\v') ||
           c == QLatin1Char('\f') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

QValidator::State OneLineValidator::validate(QString& input, int& pos) const
{
    if (std::none_of(input.cbegin(), input.cend(), IsLineBreak))
        return Acceptable;
    QString oneLine;
    oneLine.reserve(input.size());
    int newPos = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
        // CR LF is one break, so it leaves one blank; the caret keeps its place in the text.
        if (input[i] == QLatin1Char('\r') && i + 1 < input.size() &&
            input[i + 1] == QLatin1Char('\n')) {
            if (i + 1 < pos)
                --newPos;
            continue;
        }
        oneLine += IsLineBreak(input[i]) ? QLatin1Char(' ') : input[i];
    }
    input = oneLine;
    pos = newPos;
    return Acceptable;
}
