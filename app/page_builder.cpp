#include "app/page_builder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

#include "generators/compatibility.h"
#include "generators/gadget_table.h"
#include "widgets/spin_edit.h"
#include "widgets/ui_fonts.h"
#include "widgets/xp_button.h"

namespace pages
{

namespace
{

// Field texts have no length limit; Qt's edits would cut them at 32767 characters.
constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString DefaultText(int page, std::string_view component)
{
    if (const gen::GadgetSpec* gadget = gen::GadgetOfPage(page))
        for (const gen::FieldSpec& field : gadget->fields)
            if (field.component == component)
                return ToQString(field.defaultText);
    return {};
}

void StyleLabel(QLabel* label, TextStyle style)
{
    switch (style) {
    case TextStyle::Plain:
        break;
    case TextStyle::Title:
        label->setFont(ui::DialogFont(13, true));
        break;
    case TextStyle::Support:
        label->setFont(ui::DialogFont(11, false, true));
        break;
    case TextStyle::Description:
        label->setFont(ui::DialogFont(13));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        break;
    }
}

// The browser label keeps its designed text; what the gadget's code does in today's browsers
// is one hover away.
void TellCompatibility(QLabel* label, int page)
{
    if (const gen::GadgetSpec* gadget = gen::GadgetOfPage(page))
        label->setToolTip(ToQString(gen::CompatibilityOf(gadget->id).sentence));
}

QWidget* MakeLabel(QWidget* panel, int page, const ControlRow& row)
{
    auto* label = new QLabel(panel);
    label->setTextFormat(Qt::PlainText); // captions are shown as typed, never as markup
    label->setText(ToQString(row.caption));
    StyleLabel(label, row.style);
    if (row.style == TextStyle::Support)
        TellCompatibility(label, page);
    // Rows without a size take the text's. Descriptions always have their designed size, and
    // sizing a word-wrapped text to itself costs more than all the rest of a page.
    if (row.style != TextStyle::Description)
        label->adjustSize();
    return label;
}

QWidget* MakeEdit(QWidget* panel, const QString& text)
{
    auto* edit = new QLineEdit(panel);
    edit->setMaxLength(kNoLengthLimit);
    edit->setText(text);
    edit->setCursorPosition(0); // a text longer than the box shows its beginning
    return edit;
}

QWidget* MakeSpinEdit(QWidget* panel, const QString& text)
{
    auto* spin = new TSpinEdit(panel);
    spin->setMaxLength(kNoLengthLimit);
    spin->setText(text);
    spin->setCursorPosition(0);
    return spin;
}

QWidget* MakeComboBox(QWidget* panel, const ControlRow& row, const QString& text)
{
    auto* combo = new QComboBox(panel);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert); // typing a text does not grow the list
    combo->lineEdit()->setMaxLength(kNoLengthLimit);
    combo->addItems(ToQString(row.caption).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
    combo->setCurrentText(text);
    combo->lineEdit()->setCursorPosition(0);
    return combo;
}

QWidget* MakeControl(QWidget* panel, int page, const ControlRow& row)
{
    switch (row.kind) {
    case ControlKind::Label:
        return MakeLabel(panel, page, row);
    case ControlKind::Edit:
        return MakeEdit(panel, DefaultText(page, row.name));
    case ControlKind::SpinEdit:
        return MakeSpinEdit(panel, DefaultText(page, row.name));
    case ControlKind::ComboBox:
        return MakeComboBox(panel, row, DefaultText(page, row.name));
    }
    return nullptr;
}

// The height of a field whose row leaves it open; a label's comes from its text.
int FieldHeight(ControlKind kind, int labelHeight)
{
    switch (kind) {
    case ControlKind::Label:
        return labelHeight;
    case ControlKind::SpinEdit:
        return 22;
    case ControlKind::Edit:
    case ControlKind::ComboBox:
        break;
    }
    return 21;
}

// A label comes in at its text's size.
void Place(QWidget* control, const ControlRow& row)
{
    int width = row.width > 0 ? row.width : control->width();
    int height = row.height > 0 ? row.height : FieldHeight(row.kind, control->height());
    // Labels other than descriptions fit themselves to their text. The face standing in for the
    // designed one runs a few pixels wider, so such a label keeps its designed size or grows to
    // its text, whichever is larger, rather than cut its last letters off.
    if (row.kind == ControlKind::Label && row.style != TextStyle::Description) {
        width = std::max(width, control->width());
        height = std::max(height, control->height());
    }
    control->setGeometry(row.x, row.y, width, height);
}

QWidget* MakeButton(QWidget* panel, int number, const QString& caption, int x, int y, int width)
{
    auto* button = new TxpButton(panel);
    button->setObjectName(QStringLiteral("xpButton%1").arg(number));
    button->SetCaption(caption);
    button->setGeometry(x, y, width, kButtonHeight);
    return button;
}

// Tab goes from the Preview button to the Generate Code button, then through the fields in
// the layout's tab order.
void ChainTabOrder(QWidget* panel, const PageLayout& layout, QWidget* preview, QWidget* generate)
{
    QWidget::setTabOrder(preview, generate);
    QWidget* previous = generate;
    for (std::string_view name : layout.tabOrder) {
        auto* field = panel->findChild<QWidget*>(ToQString(name), Qt::FindDirectChildrenOnly);
        if (!field)
            throw std::logic_error("Page " + std::to_string(layout.page) + " has no field " +
                                   std::string(name));
        QWidget::setTabOrder(previous, field);
        previous = field;
    }
}

} // namespace

void BuildPage(QWidget* panel, const PageLayout& layout)
{
    for (const ControlRow& row : layout.controls) {
        QWidget* control = MakeControl(panel, layout.page, row);
        control->setObjectName(ToQString(row.name));
        Place(control, row);
    }
    const int k = layout.page;
    QWidget* preview = MakeButton(panel, 2 * k - 1, QStringLiteral("Preview"), kPreviewX,
                                  layout.buttonY, kPreviewWidth);
    QWidget* generate = MakeButton(panel, 2 * k, QStringLiteral("Generate Code"), kGenerateX,
                                   layout.buttonY, kGenerateWidth);
    if (!layout.tabOrder.empty())
        ChainTabOrder(panel, layout, preview, generate);
}

} // namespace pages
