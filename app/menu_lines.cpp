#include "app/menu_lines.h"

#include "app/click_label.h"

void MarkCurrentMenuLine(const QWidget& menu, int page)
{
    const QList<ClickLabel*> lines = menu.findChildren<ClickLabel*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i]->SetCurrent(i + 1 == page);
}
