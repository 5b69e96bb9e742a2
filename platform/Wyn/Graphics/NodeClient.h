#pragma once

namespace Wyn::Graphics {

// Whoever a node was made for. The graphics system never calls it; it only
// hands it back, so that picking can go from a node to the object behind it.
// The host's node sources derive from it.
class NodeClient {
public:
    virtual ~NodeClient() = default;

protected:
    NodeClient() = default;
    NodeClient(const NodeClient&) = default;
    NodeClient& operator=(const NodeClient&) = default;
};

} // namespace Wyn::Graphics
