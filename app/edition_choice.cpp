#include "app/edition_choice.h"

#include <QEvent>

#include "app/page_layout.h"
#include "app/qt_text.h"
#include "app/user_settings.h"
#include "widgets/ui_fonts.h"

namespace
{

// The gap between Preview (ends at x 105) and Generate Code (starts at x 264) of every page,
// below page 5's spin boxes (which end at y 182), in the main window's coordinates.
constexpr int kPageX = 168;
constexpr int kPageY = 36;
const QRect kPlace(kPageX + 116, kPageY + 185, 138, 17);

gen::Edition Remembered()
{
    const QString name =
        UserSettings().value(QString::fromLatin1(EditionChoice::kSettingsKey)).toString();
    return gen::ParseEdition(name.toStdString()).value_or(gen::Edition::Classic);
}

} // namespace

EditionChoice::EditionChoice(QWidget* window) : QCheckBox(window)
{
    setObjectName(ToQString(pages::designed::kEditionChoice));
    // Alt+T reaches it from any page. It stays out of the Tab chain, which runs round the
    // visible page's own buttons and fields.
    setText(QStringLiteral("&Today's edition"));
    setFocusPolicy(Qt::ClickFocus);
    setFont(ui::DialogFont(11));
    setToolTip(QStringLiteral("Generate code built on current web standards that does what "
                              "the gadget promises in today's browsers, instead of the "
                              "original code."));
    setGeometry(kPlace);
    setChecked(Remembered() == gen::Edition::Today);
    connect(this, &QCheckBox::toggled, this, [this] {
        UserSettings().setValue(QString::fromLatin1(kSettingsKey),
                                QString::fromUtf8(gen::EditionName(edition()).data()));
    });
    raise(); // above the pages it stands over
}

bool EditionChoice::event(QEvent* event)
{
    // A button's own access key only presses it and clicks a moment later, from a timer; the
    // choice takes effect at once, so the next Preview already uses it.
    if (event->type() == QEvent::Shortcut) {
        toggle();
        return true;
    }
    return QCheckBox::event(event);
}

gen::Edition EditionChoice::edition() const
{
    return isChecked() ? gen::Edition::Today : gen::Edition::Classic;
}
