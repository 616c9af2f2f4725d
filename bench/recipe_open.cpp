// Opening a recipe in the program, for scripts/bench.sh: prints the median milliseconds of
// RecipeActions::open on a recipe of ENTRIES entries (every gadget, both editions), then the
// median of only parsing its JSON, the floor.
//
//   bench-recipe-open ENTRIES FILE
#include <QApplication>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/error_reporting.h"
#include "app/main_window.h"
#include "app/recipe_actions.h"
#include "bench/bench_recipe.h"
#include "generators/gadget_table.h"
#include "recipe/recipe.h"
#include "tests/support/file_bytes.h"

namespace
{

using Clock = std::chrono::steady_clock;

std::string Recipe(std::size_t entries)
{
    return recipe::WriteRecipe(BenchRecipe(entries, false));
}

template <typename F> double MedianMillis(F&& work)
{
    std::vector<double> times;
    for (int run = 0; run < 9; ++run) {
        const Clock::time_point start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench-recipe-open ENTRIES FILE\n");
        return 2;
    }
    QApplication app(argc, argv);
    // Opening remembers the recipe and its edition; the user's own settings stay as they are.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QFileInfo(QString::fromLocal8Bit(argv[2])).absolutePath());
    bool failed = false;
    ScopedErrorReporter quiet([&failed](const QString&, const QString& message) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        failed = true;
    });
    const std::string bytes = Recipe(std::stoul(argv[1]));
    WriteBytes(argv[2], bytes);
    MainWindow form;
    form.show();
    auto* actions = form.findChild<RecipeActions*>();
    failed = false; // the unbranded bench program may report its missing branding
    const QString path = QString::fromLocal8Bit(argv[2]);
    const double open = MedianMillis([&] { actions->openRecipe(path); });
    std::size_t parsed = 0;
    const double parse =
        MedianMillis([&] { parsed += nlohmann::ordered_json::parse(bytes).size(); });
    std::printf("%.2f %.2f\n", open, parse);
    if (parsed == 0)
        return 1;
    return failed ? 1 : 0;
}
