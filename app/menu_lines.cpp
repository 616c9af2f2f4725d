#include "app/menu_lines.h"

#include "app/link_label.h"

void MarkCurrentMenuLine(const QWidget& menu, int page)
{
    const QList<LinkLabel*> lines = menu.findChildren<LinkLabel*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i]->setCurrent(i + 1 == page);
}
