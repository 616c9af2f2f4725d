#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "sitecheck/page_finder.h"

class QLabel;
class QListWidget;
class QPushButton;

// "Check a Page": the findings of one page, each with its status and what it does in today's
// browsers. Choosing one (double click, or Enter on the list) emits findingChosen; "Upgrade"
// replaces those that do not fully work by their today's editions, keeping PAGE.orig, as
// sitewright-gen check --upgrade does, and reads the page again.
class SiteCheckDialog : public QDialog
{
    Q_OBJECT

public:
    // Reads and checks the page; throws std::runtime_error when it cannot be read.
    SiteCheckDialog(const std::string& path, QWidget* parent);

    const std::vector<sitecheck::Finding>& findings() const { return findings_; }
    QListWidget* findingList = nullptr;
    QPushButton* upgradeButton = nullptr;
    QLabel* outcomeLabel = nullptr;

    // What "Upgrade" does; reports a failure in the dialog's outcome line.
    void upgrade();

Q_SIGNALS:
    void findingChosen(const sitecheck::Finding& finding);

private:
    void load();

    std::string path_;
    std::string page_;
    std::vector<sitecheck::Finding> findings_;
};
