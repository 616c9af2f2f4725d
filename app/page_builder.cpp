#include "app/page_builder.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>
#include <string>

#include "app/field_combo_accessible.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "generators/compatibility.h"
#include "generators/gadget_table.h"
#include "widgets/label_fit.h"
#include "widgets/one_line_validator.h"
#include "widgets/spin_edit.h"
#include "widgets/ui_fonts.h"
#include "widgets/xp_button.h"

namespace pages
{

namespace
{

// Field texts have no length limit; Qt's edits would cut them at 32767 characters.
constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

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
void TellCompatibility(QLabel* label, const gen::GadgetEntry& gadget)
{
    label->setToolTip(ToQString(gadget.compatibility.sentence));
}

QLabel* MakeLabel(QWidget* panel, std::string_view text, TextStyle style)
{
    auto* label = new QLabel(panel);
    label->setTextFormat(Qt::PlainText); // captions are shown as typed, never as markup
    label->setText(ToQString(text));
    StyleLabel(label, style);
    // Rows without a size take the text's. Descriptions always have their designed size, and
    // sizing a word-wrapped text to itself costs more than all the rest of a page.
    if (style != TextStyle::Description)
        FitLabelToText(*label);
    return label;
}

// Every field is one line of the snippet; a pasted line break would show as a blank but reach
// the code as a break.
void KeepOneLine(QLineEdit* edit)
{
    edit->setValidator(new OneLineValidator(edit));
}

QWidget* MakeEdit(QWidget* panel, const QString& text)
{
    auto* edit = new QLineEdit(panel);
    KeepOneLine(edit);
    edit->setMaxLength(kNoLengthLimit);
    edit->setText(text);
    edit->setCursorPosition(0); // a text longer than the box shows its beginning
    return edit;
}

QWidget* MakeSpinEdit(QWidget* panel, const QString& text)
{
    auto* spin = new SpinEdit(panel);
    KeepOneLine(spin);
    spin->setMaxLength(kNoLengthLimit);
    spin->setText(text);
    spin->setCursorPosition(0);
    return spin;
}

QWidget* MakeComboBox(QWidget* panel, std::string_view choices, const QString& text)
{
    InstallFieldComboAccessibility();
    auto* combo = new QComboBox(panel);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert); // typing a text does not grow the list
    KeepOneLine(combo->lineEdit());
    combo->lineEdit()->setMaxLength(kNoLengthLimit);
    combo->addItems(ToQString(choices).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
    combo->setCurrentText(text);
    combo->lineEdit()->setCursorPosition(0);
    return combo;
}

QWidget* MakeField(QWidget* panel, const gen::FieldEntry& field)
{
    const QString text = ToQString(field.defaultText);
    switch (field.kind) {
    case gen::FieldKind::Text:
        return MakeEdit(panel, text);
    case gen::FieldKind::Number:
        return MakeSpinEdit(panel, text);
    case gen::FieldKind::Choice:
        return MakeComboBox(panel, field.choices, text);
    }
    return nullptr;
}

// A field's designed height; 0 leaves it to its kind.
int FieldHeight(const gen::FieldEntry& field, int height)
{
    if (height > 0)
        return height;
    return field.kind == gen::FieldKind::Number ? 22 : 21;
}

// A label comes in at its text's size. Labels other than descriptions fit themselves to their
// text. The face standing in for the designed one runs a few pixels wider, so such a label
// keeps its designed size or grows to its text, whichever is larger, rather than cut its last
// letters off.
void PlaceLabel(QLabel* label, const Place& place, TextStyle style)
{
    int width = place.width > 0 ? place.width : label->width();
    int height = place.height > 0 ? place.height : label->height();
    if (style != TextStyle::Description) {
        width = std::max(width, label->width());
        height = std::max(height, label->height());
    }
    label->setGeometry(place.x, place.y, width, height);
}

QLabel* BuildLabel(QWidget* panel, std::string_view name, const Place& place, std::string_view text,
                   TextStyle style)
{
    QLabel* label = MakeLabel(panel, text, style);
    label->setObjectName(ToQString(name));
    PlaceLabel(label, place, style);
    return label;
}

// Accessibility tools read the field's name, or on some systems the label linked to it.
void NameByCaption(QWidget* field, QLabel* caption)
{
    field->setAccessibleName(caption->text());
    caption->setBuddy(field);
}

std::string PageName(const gen::GadgetEntry& gadget)
{
    return "The page of " + std::string(gadget.id);
}

const gen::FieldEntry& FieldOfRow(const gen::GadgetEntry& gadget, const FieldRow& row)
{
    const gen::FieldEntry* field = gen::FindField(gadget, row.option);
    if (!field)
        throw std::logic_error(PageName(gadget) + " places no field --" + std::string(row.option));
    return *field;
}

// The caption, then the field, each under its own name. Every field of the page's gadget has
// one row, so the page holds them all.
std::map<std::string_view, QWidget*> BuildFields(QWidget* panel, const gen::GadgetEntry& gadget,
                                                 const PageLayout& layout)
{
    std::map<std::string_view, QWidget*> built;
    for (const FieldRow& row : layout.fields) {
        const gen::FieldEntry& field = FieldOfRow(gadget, row);
        QLabel* caption =
            BuildLabel(panel, row.captionName, row.captionPlace, field.caption, TextStyle::Plain);
        QWidget* control = MakeField(panel, field);
        NameByCaption(control, caption);
        control->setObjectName(ToQString(row.name));
        control->setGeometry(row.place.x, row.place.y, row.place.width,
                             FieldHeight(field, row.place.height));
        if (!built.emplace(row.option, control).second)
            throw std::logic_error(PageName(gadget) + " places the field --" +
                                   std::string(row.option) + " twice");
    }
    if (built.size() != gadget.fields.size())
        throw std::logic_error(PageName(gadget) + " places " + std::to_string(built.size()) +
                               " of " + std::to_string(gadget.fields.size()) + " fields");
    return built;
}

// A line edit lays out its empty text in the application's font before it takes its own, which
// loads that face only for this (and, where the desktop names a generic family, searches its
// fallbacks): on the first page, about a twentieth of the start-up. The page's own face is loaded
// already, so the fields are made while the application lends it; every control takes the page's
// font as it is made, so nothing drawn changes.
template <typename Build> auto WithApplicationFont(const QFont& font, Build build)
{
    // Given back however `build` ends, a refused layout's exception included.
    struct Lent {
        const QFont own = QGuiApplication::font();
        explicit Lent(const QFont& lent) { QGuiApplication::setFont(lent); }
        ~Lent() { QGuiApplication::setFont(own); }
        Lent(const Lent&) = delete;
        Lent& operator=(const Lent&) = delete;
    } lent(font);
    return build();
}

XpButton* MakeButton(QWidget* panel, const std::string& name, const QString& caption, int x, int y,
                     int width)
{
    auto* button = new XpButton(panel);
    button->setObjectName(ToQString(name));
    button->setCaption(caption);
    button->setGeometry(x, y, width, kButtonHeight);
    return button;
}

// Tab goes from the Preview button to the Generate Code button, then through the fields in
// the layout's tab order.
void ChainTabOrder(const std::map<std::string_view, QWidget*>& fields,
                   const gen::GadgetEntry& gadget, const PageLayout& layout, QWidget* preview,
                   QWidget* generate)
{
    QWidget::setTabOrder(preview, generate);
    QWidget* previous = generate;
    for (std::string_view option : layout.tabOrder) {
        const auto field = fields.find(option);
        if (field == fields.end())
            throw std::logic_error(PageName(gadget) + " has no field --" + std::string(option));
        QWidget::setTabOrder(previous, field->second);
        previous = field->second;
    }
}

} // namespace

PageButtons BuildPage(QWidget* panel, const gen::GadgetEntry& gadget, const PageLayout& layout)
{
    for (const LabelRow& row : layout.labels) {
        const std::string text = row.style == TextStyle::Title
                                     ? std::string(row.text) + std::string(gadget.title)
                                     : std::string(row.text);
        QLabel* label = BuildLabel(panel, row.name, row.place, text, row.style);
        if (row.style == TextStyle::Support)
            TellCompatibility(label, gadget);
    }
    const std::map<std::string_view, QWidget*> fields =
        WithApplicationFont(panel->font(), [&] { return BuildFields(panel, gadget, layout); });
    PageButtons buttons{MakeButton(panel, PreviewButtonName(gadget.page), QStringLiteral("Preview"),
                                   kPreviewX, layout.buttonY, kPreviewWidth),
                        MakeButton(panel, GenerateButtonName(gadget.page),
                                   QStringLiteral("Generate Code"), kGenerateX, layout.buttonY,
                                   kGenerateWidth)};
    if (!layout.tabOrder.empty())
        ChainTabOrder(fields, gadget, layout, buttons.preview, buttons.generate);
    return buttons;
}

} // namespace pages
