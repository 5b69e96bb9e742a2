#pragma once

#include "Kv/DataModel/Status.h"

#include <string>
#include <vector>

namespace Kv {

class Asset;

// An undoable command on an asset. Its steps run inside one transaction of the
// asset, so a request either leaves all of its edits behind or none of them.
// Requests live on the heap and belong to whoever made them until destroy().
class Request {
public:
    explicit Request(Asset* asset);
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    // The assets the request works on; index 0 is the one it runs its
    // transaction on. Null past the last.
    Asset* asset(int index = 0) const;
    int assetCount() const { return static_cast<int>(m_assets.size()); }

    // Runs onPreExecute, onExecute and onPostExecute in a transaction named
    // name(), joining one that is already open. When a step fails the status
    // or throws, the request's own edits are rolled back and onCancel runs;
    // an exception then goes on to the caller with the status failed.
    // A status that is already failed stops the request before it starts.
    bool execute(Status& status);

    void destroy();

    virtual std::string name() const;

protected:
    virtual ~Request();

    // Requests that also read or write other documents (pasting from one into
    // another) list them after the first.
    void addAsset(Asset* asset);

    virtual void onPreExecute(Status&) {}
    virtual void onExecute(Status& status) = 0;
    virtual void onPostExecute(Status&) {}
    // The request's edits have been rolled back.
    virtual void onCancel() {}

private:
    std::vector<Asset*> m_assets;
};

} // namespace Kv
