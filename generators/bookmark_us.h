#pragma once

#include <string>

#include "generators/code_buffer.h"

namespace gen
{

struct BookmarkUsFields {
    std::string url;      // the address the visitor bookmarks
    std::string siteName; // the bookmark's title
};

CodeBuffer BookmarkUs(const BookmarkUsFields& fields);

} // namespace gen
