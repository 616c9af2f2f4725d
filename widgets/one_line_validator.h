#pragma once

#include <QValidator>

// Keeps a one-line box to one line. A line break that arrives in it (pasted, dropped or set)
// becomes a blank, the way the box shows it, so the text read from the box is the text the user
// sees: CR LF, CR, LF, vertical tab, form feed and the Unicode line and paragraph separators each
// give one blank. Any other text is accepted as it is.
class OneLineValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};
