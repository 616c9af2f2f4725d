#include "app/idle_steps.h"

#include "app/code_window.h"
#include "app/main_window.h"
#include "app/page_layout.h"

std::vector<IdleBuilder::Step> MainWindowIdleSteps(TForm2& form)
{
    std::vector<IdleBuilder::Step> steps;
    steps.push_back([] { CodeWindow(); });
    for (const pages::PageLayout& layout : pages::PageLayouts())
        steps.push_back([&form, page = layout.page] { form.EnsurePageBuilt(page); });
    return steps;
}
