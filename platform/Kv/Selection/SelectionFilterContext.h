#pragma once

namespace Kv {

class Asset;

// What a filter may want to know about the pick it judges: the document the
// candidates come from. Filters that judge a candidate by itself ignore it.
class SelectionFilterContext {
public:
    explicit SelectionFilterContext(Asset* asset = nullptr)
        : m_asset(asset) {}

    Asset* asset() const { return m_asset; }

private:
    Asset* m_asset;
};

} // namespace Kv
