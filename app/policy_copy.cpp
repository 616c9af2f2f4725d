#include "app/policy_copy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

#include "generators/policy_sources.h"

PolicyCopy::PolicyCopy(QLabel* status) : QObject(status), status_(status)
{
    setObjectName(QStringLiteral("PolicyCopy"));
    copyAction = new QAction(QStringLiteral("Copy Content Security Policy Sources"), status);
    copyAction->setObjectName(QStringLiteral("actCopyPolicySources"));
    status->addAction(copyAction);
    status->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copyAction, &QAction::triggered, this, &PolicyCopy::copy);
}

void PolicyCopy::showFor(const gen::CodeBuffer& code, gen::Edition edition)
{
    sources_ = QString::fromStdString(gen::PolicyText(code, edition));
    copyAction->setEnabled(!sources_.isEmpty());
    if (sources_.isEmpty())
        return;
    // The context menu says how to copy them, so the tooltip need not.
    status_->setToolTip(status_->toolTip() +
                        QStringLiteral("\n\nA Content Security Policy must admit:\n") +
                        sources_.trimmed());
}

void PolicyCopy::copy() const
{
    if (!sources_.isEmpty())
        QGuiApplication::clipboard()->setText(sources_);
}
