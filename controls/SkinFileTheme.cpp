#include "SkinFileTheme.h"

#include <algorithm>

namespace controls {

TSkinFileTheme::~TSkinFileTheme() {
    // A client may drop its reference while being told, so work on a copy.
    const std::vector<TSkinFileThemeClient*> clients = std::move(clients_);
    clients_.clear();
    for (TSkinFileThemeClient* c : clients)
        c->FileThemeRemoved(*this);
}

void TSkinFileTheme::Load(std::vector<fw::Bitmap> pictures) {
    pictures_ = std::move(pictures);
    loaded_ = static_cast<int>(pictures_.size()) > kButtonPicture;
}

void TSkinFileTheme::Unload() noexcept {
    pictures_.clear();
    loaded_ = false;
}

const fw::Bitmap& TSkinFileTheme::ButtonPicture() const noexcept {
    static const fw::Bitmap kNone;
    return loaded_ ? pictures_[kButtonPicture] : kNone;
}

void TSkinFileTheme::AddClient(TSkinFileThemeClient* client) {
    if (client && std::find(clients_.begin(), clients_.end(), client) == clients_.end())
        clients_.push_back(client);
}

void TSkinFileTheme::RemoveClient(TSkinFileThemeClient* client) noexcept {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

} // namespace controls
