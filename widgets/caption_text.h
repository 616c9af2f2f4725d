#pragma once

#include <QChar>
#include <QString>

// How a button caption with "&" marks is shown and which key it answers to.
namespace caption
{

// The caption with its first "&" removed; a second "&" stays visible.
QString DisplayText(const QString& caption);

// The position of the first "&" in the caption, or -1 when there is none.
qsizetype FirstAmpersand(const QString& caption);

// The accelerator by scanning from the left: "&&" is a literal ampersand, "&x" makes x the
// accelerator and a later one replaces an earlier one, a trailing "&" is ignored. A surrogate
// pair is stepped over whole. Returns an empty string when there is no accelerator.
QString Accelerator(const QString& caption);

// Whether a typed character is the caption's accelerator, with the letters a-z and A-Z
// compared without regard to case.
bool MatchesAccelerator(const QString& caption, const QString& typed);

} // namespace caption
