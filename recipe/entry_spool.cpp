#include "recipe/entry_spool.h"

#include "recipe/json_builder.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace recipe
{

namespace
{

constexpr std::size_t kChunk = 64 * 1024;

class MemoryStore : public SpoolStore
{
public:
    void Append(std::string_view bytes) override { bytes_.append(bytes); }
    std::string ReadAt(std::uint64_t offset, std::size_t count) const override
    {
        return offset < bytes_.size() ? bytes_.substr(static_cast<std::size_t>(offset), count)
                                      : std::string();
    }

private:
    std::string bytes_;
};

void PutSize(std::string& out, std::size_t n)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((n >> shift) & 0xFF);
}

void PutText(std::string& out, std::string_view text)
{
    PutSize(out, text.size());
    out.append(text);
}

// Reads the spool's bytes back a chunk at a time.
class Cursor
{
public:
    explicit Cursor(const SpoolStore& store) : store_(store) {}

    std::string Take(std::size_t n)
    {
        std::string out;
        while (out.size() < n) {
            if (at_ == chunk_.size()) {
                chunk_ = store_.ReadAt(offset_, std::max(kChunk, n - out.size()));
                offset_ += chunk_.size();
                at_ = 0;
                if (chunk_.empty())
                    throw std::logic_error("the entry spool ends early");
            }
            const std::size_t take = std::min(n - out.size(), chunk_.size() - at_);
            out.append(chunk_, at_, take);
            at_ += take;
        }
        return out;
    }
    std::size_t Size()
    {
        const std::string b = Take(4);
        std::size_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = n << 8 | static_cast<unsigned char>(b[static_cast<std::size_t>(i)]);
        return n;
    }
    std::string Text() { return Take(Size()); }
    bool Flag() { return Take(1)[0] != 0; }

private:
    const SpoolStore& store_;
    std::uint64_t offset_ = 0;
    std::string chunk_;
    std::size_t at_ = 0;
};

Entry ReadBack(Cursor& in)
{
    Entry e;
    e.gadget = in.Text();
    e.edition = in.Flag() ? gen::Edition::Today : gen::Edition::Classic;
    e.stamp = in.Flag();
    e.csp = in.Flag();
    if (in.Flag())
        e.output = in.Text();
    for (std::size_t n = in.Size(); n > 0; --n) {
        std::string option = in.Text();
        e.values.emplace_back(std::move(option), in.Text());
    }
    // Kept keys were checked when the recipe was parsed; they come back as they were.
    if (const std::string unknown = in.Text(); !unknown.empty())
        e.unknown = ParseDistinctKeys(unknown);
    return e;
}

} // namespace

EntrySpool::EntrySpool(std::unique_ptr<SpoolStore> store)
    : store_(store ? std::move(store) : std::make_unique<MemoryStore>())
{
}

void EntrySpool::Add(const Entry& entry, bool keepUnknown)
{
    std::string& out = pending_;
    PutText(out, entry.gadget);
    out += static_cast<char>(entry.edition == gen::Edition::Today);
    out += static_cast<char>(entry.stamp);
    out += static_cast<char>(entry.csp);
    out += static_cast<char>(entry.output.has_value());
    if (entry.output)
        PutText(out, *entry.output);
    PutSize(out, entry.values.size());
    for (const auto& [option, value] : entry.values) {
        PutText(out, option);
        PutText(out, value);
    }
    PutText(out, keepUnknown && !entry.unknown.empty() ? entry.unknown.dump() : std::string());
    if (pending_.size() >= kChunk)
        Flush();
}

void EntrySpool::Flush() const
{
    store_->Append(pending_);
    pending_.clear();
}

void EntrySpool::ForEach(std::size_t count, const Consumer& consume) const
{
    Flush();
    Cursor in(*store_);
    for (std::size_t i = 0; i < count; ++i)
        consume(ReadBack(in), i);
}

} // namespace recipe
