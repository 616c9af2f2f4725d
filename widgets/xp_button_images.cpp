#include "widgets/xp_button_images.h"

#include <algorithm>

namespace
{

// What stays the same between the states of one button.
bool SameButton(const XpButtonLook& a, const XpButtonLook& b)
{
    return a.width == b.width && a.height == b.height && a.caption == b.caption &&
           a.font == b.font && a.fontColor == b.fontColor && a.background == b.background;
}

bool SameState(const XpButtonLook& a, const XpButtonLook& b)
{
    return a.enabled == b.enabled && a.hovered == b.hovered && a.pressed == b.pressed &&
           a.focused == b.focused;
}

// Two scales with their four state flags each stay far below this.
constexpr std::size_t kMaxEntries = 32;

} // namespace

const QImage& XpButtonImages::image(const XpButtonLook& look, int scale)
{
    if (!entries_.empty() && !SameButton(entries_.front().look, look))
        entries_.clear();
    const auto kept = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.scale == scale && SameState(entry.look, look);
    });
    if (kept != entries_.end())
        return kept->image;
    if (entries_.size() == kMaxEntries)
        entries_.erase(entries_.begin());
    entries_.push_back({look, scale, PaintXpButton(look, scale)});
    return entries_.back().image;
}
