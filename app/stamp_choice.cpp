#include "app/stamp_choice.h"

#include <QAction>
#include <QFrame>

#include "app/main_window.h"
#include "app/user_settings.h"
#include "generators/gadget_table.h"

StampChoice::StampChoice(MainWindow& window) : QObject(&window)
{
    setObjectName(QStringLiteral("stampChoice"));
    action = new QAction(QStringLiteral("S&tamp Generated Code"), &window);
    action->setObjectName(QStringLiteral("actStampCode"));
    action->setCheckable(true);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setToolTip(QStringLiteral("Put a first line before generated code that records the "
                                      "gadget and its values, so Check a Page and Open Recipe "
                                      "can read them back (Ctrl+Shift+T)"));
    action->setChecked(UserSettings().value(QString::fromLatin1(kSettingsKey), false).toBool());
    connect(action, &QAction::toggled, this,
            [](bool on) { UserSettings().setValue(QString::fromLatin1(kSettingsKey), on); });
    window.addAction(action);
    window.menuPanel->addAction(action);
    for (int page = 1; page <= static_cast<int>(gen::GadgetTable().size()); ++page)
        window.pagePanel(page)->addAction(action);
}

bool StampChoice::chosen() const
{
    return action->isChecked();
}
