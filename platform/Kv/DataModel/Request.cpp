#include "Kv/DataModel/Request.h"

#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/Status.h"

#include <exception>

namespace Kv {

Request::Request(Asset* asset)
    : m_assets{asset} {}

Request::~Request() = default;

Asset* Request::asset(int index) const {
    return index >= 0 && index < assetCount() ? m_assets[static_cast<size_t>(index)] : nullptr;
}

void Request::addAsset(Asset* asset) {
    m_assets.push_back(asset);
}

std::string Request::name() const {
    return "Request";
}

void Request::destroy() {
    delete this;
}

bool Request::execute(Status& status) {
    if (!status.isOk())
        return false;
    Asset* target = asset();
    if (!target) {
        status.fail(name() + " has no document to work on");
        return false;
    }
    target->beginTransaction(name());
    try {
        onPreExecute(status);
        if (status.isOk())
            onExecute(status);
        if (status.isOk())
            onPostExecute(status);
    } catch (const std::exception& error) {
        status.fail(error.what());
        target->abortTransaction();
        onCancel();
        throw;
    } catch (...) {
        status.fail(name() + " failed");
        target->abortTransaction();
        onCancel();
        throw;
    }
    if (!status.isOk()) {
        target->abortTransaction();
        onCancel();
        return false;
    }
    target->commitTransaction();
    return true;
}

} // namespace Kv
