// A theme file of the control kit and the themed form panel, reduced to what
// the button base asks of them.
#pragma once

#include "SkinUIStyle.h"

#include "framework/Bitmap.h"
#include "framework/Control.h"

#include <vector>

namespace controls {

class TSkinFileTheme;

// Told when a theme file it refers to goes away.
class TSkinFileThemeClient {
public:
    virtual void FileThemeRemoved(TSkinFileTheme& theme) = 0;

protected:
    ~TSkinFileThemeClient() = default;
};

// A theme file: a list of pictures. It counts as loaded once it has been given
// a list that reaches the button picture, entry 15.
class TSkinFileTheme {
public:
    static constexpr int kButtonPicture = 15;

    TSkinFileTheme() = default;
    TSkinFileTheme(const TSkinFileTheme&) = delete;
    TSkinFileTheme& operator=(const TSkinFileTheme&) = delete;
    // Every control still referring to the theme hears of its removal.
    ~TSkinFileTheme();

    void Load(std::vector<fw::Bitmap> pictures);
    void Unload() noexcept;
    bool Loaded() const noexcept { return loaded_; }
    // The button strip; empty while not loaded.
    const fw::Bitmap& ButtonPicture() const noexcept;

    void AddClient(TSkinFileThemeClient* client);
    void RemoveClient(TSkinFileThemeClient* client) noexcept;

private:
    std::vector<fw::Bitmap> pictures_;
    std::vector<TSkinFileThemeClient*> clients_;
    bool loaded_ = false;
};

// The themed form panel: only its style matters to the buttons of its form.
class TThemedFormPanel : public fw::Control {
public:
    explicit TThemedFormPanel(fw::Control* owner, TSkinUIStyle style = TSkinUIStyle::Navy)
        : fw::Control(owner), uiStyle_(style) {}
    TSkinUIStyle UIStyle() const noexcept { return uiStyle_; }
    void SetUIStyle(TSkinUIStyle s) noexcept { uiStyle_ = s; }

private:
    TSkinUIStyle uiStyle_;
};

} // namespace controls
