#pragma once

#include <string>
#include <string_view>

#include "recipe/page_merge.h"
#include "recipe/recipe.h"
#include "web/reply.h"

namespace web
{

// The web page's side of recipes: opening and saving one, with the recipe opened last and what
// the page showed of it, as the program keeps them. Requests and replies are JSON texts; values
// are given by option, per gadget id:
//   {"edition": "classic", "values": {"popup-page": {"seconds": "5"}, ...}}
// An option left out takes its field's default; an unknown gadget or option is ignored.
class PageSession
{
public:
    PageSession();

    // Reads the recipe file `name` holding `bytes`, checked as the program checks it. Gives
    // every page's values and the edition the recipe shows (the page's `edition` when it has
    // no entry), and the first entry's gadget: {"values": {...}, "edition", "gadget"}. A refused
    // recipe gives {"error": "NAME: PLACE: MESSAGE", "place"} and changes nothing.
    Reply OpenRecipe(std::string_view name, std::string_view bytes, std::string_view edition);

    // The recipe of the page's `state` in its canonical bytes: the recipe opened last with what
    // changed since it was shown, or a new one of every page that differs from its defaults.
    // Gives {"name": a file name for it}.
    Reply SaveRecipe(std::string_view state);

private:
    recipe::Recipe recipe_;
    recipe::PageState shown_;
    std::string name_ = "site.json";
    bool opened_ = false;
};

} // namespace web
