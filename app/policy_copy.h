#pragma once

#include <QObject>
#include <QString>

#include "generators/code_buffer.h"
#include "generators/edition.h"

class QAction;
class QLabel;

// What a page's Content Security Policy must admit for the code window's snippet, one directive
// a line as sitewright-gen --csp prints it: added to the status line's tooltip, and copied by
// the status line's context menu. Owned by the status line.
class PolicyCopy : public QObject
{
    Q_OBJECT

public:
    explicit PolicyCopy(QLabel* status);

    // For the snippet `code` of `edition`; call after the status line got its own tooltip.
    void showFor(const gen::CodeBuffer& code, gen::Edition edition);
    // The directives of the last showFor, each line ending in a line break.
    const QString& sources() const { return sources_; }
    // Puts sources() on the clipboard.
    void copy() const;

    QAction* copyAction = nullptr;

private:
    QLabel* status_;
    QString sources_;
};
