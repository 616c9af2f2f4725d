#pragma once

#include <string_view>

namespace gen
{

// How much of what a gadget promises its snippet still does in today's browsers.
enum class Support { Works, Partly, DoesNotWork };

// "works", "partly" or "does not work".
std::string_view SupportWord(Support support);

// What a gadget's designed (classic) snippet does in today's browsers, and what its today's
// edition does. Each claim is checked in headless Chromium by the browser test.
struct Compatibility {
    Support classic;
    std::string_view sentence; // what happens with the classic snippet, and why
    Support today;
    std::string_view todaySentence; // what the today's edition does, and what browsers forbid
};

} // namespace gen
