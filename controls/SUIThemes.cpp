#include "SUIThemes.h"

#include <algorithm>
#include <array>

namespace controls {

const fw::Bitmap& BuiltInButtonStrip(TsuiUIStyle style) {
    static const wchar_t* const kNames[] = {nullptr,           L"MACOS_BUTTON",
                                            L"WINXP_BUTTON",   L"DEEPBLUE_BUTTON",
                                            L"PROTEIN_BUTTON", L"BLUEGLASS_BUTTON"};
    // Loaded once per style: the strips never change while the program runs.
    static std::array<fw::Bitmap, 6> strips;
    static std::array<bool, 6> tried{};
    const auto i = static_cast<size_t>(style);
    if (i >= strips.size())
        return strips[0];
    if (!tried[i] && kNames[i]) {
        tried[i] = true;
        if (!strips[i].LoadFromResource(::GetModuleHandleW(nullptr), kNames[i]))
            strips[i].Clear();
    }
    return strips[i];
}

fw::Bitmap StripFrame(const fw::Bitmap& strip, int k, int n) {
    fw::Bitmap frame;
    if (strip.Empty() || n <= 0 || k < 1 || k > n)
        return frame;
    const int w = strip.Width() / n;
    if (w == 0)
        return frame;
    const int x0 = k == n ? strip.Width() - w : (k - 1) * w;
    frame.Create(w, strip.Height(), strip.BitsPerPixel());
    const int bytes = strip.BitsPerPixel() / 8;
    for (int y = 0; y < strip.Height(); ++y)
        std::copy_n(strip.Row(y) + x0 * bytes, w * bytes, frame.Row(y));
    return frame;
}

TsuiFileTheme::~TsuiFileTheme() {
    // A client may drop its reference while being told, so work on a copy.
    const std::vector<TsuiFileThemeClient*> clients = std::move(clients_);
    clients_.clear();
    for (TsuiFileThemeClient* c : clients)
        c->FileThemeRemoved(*this);
}

void TsuiFileTheme::Load(std::vector<fw::Bitmap> pictures) {
    pictures_ = std::move(pictures);
    loaded_ = static_cast<int>(pictures_.size()) > kButtonPicture;
}

void TsuiFileTheme::Unload() noexcept {
    pictures_.clear();
    loaded_ = false;
}

const fw::Bitmap& TsuiFileTheme::ButtonPicture() const noexcept {
    static const fw::Bitmap kNone;
    return loaded_ ? pictures_[kButtonPicture] : kNone;
}

void TsuiFileTheme::AddClient(TsuiFileThemeClient* client) {
    if (client && std::find(clients_.begin(), clients_.end(), client) == clients_.end())
        clients_.push_back(client);
}

void TsuiFileTheme::RemoveClient(TsuiFileThemeClient* client) noexcept {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

} // namespace controls
