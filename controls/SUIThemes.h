// Unit SUIThemes: the control kit's built-in styles, the theme-file component
// and the themed form panel, reduced to what the button base asks of them.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Control.h"

#include <cstdint>
#include <vector>

namespace controls {

enum class TsuiUIStyle : std::uint8_t {
    FromThemeFile = 0,
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5,
};

// The button strip of a built-in style: three frames side by side, from the
// module's bitmap resources ("DEEPBLUE_BUTTON" ...). FromThemeFile has no strip
// and gives an empty bitmap, as does a resource that cannot be loaded.
const fw::Bitmap& BuiltInButtonStrip(TsuiUIStyle style);

// Frame k (from 1) of n equal frames side by side: w = width div n columns from
// (k - 1) * w, except the last frame, which takes the rightmost w columns.
// An empty strip or a frame of no width gives an empty bitmap.
fw::Bitmap StripFrame(const fw::Bitmap& strip, int k, int n);

class TsuiFileTheme;

// Told when a theme file it refers to goes away.
class TsuiFileThemeClient {
public:
    virtual void FileThemeRemoved(TsuiFileTheme& theme) = 0;

protected:
    ~TsuiFileThemeClient() = default;
};

// A theme file: a list of pictures. It counts as loaded once it has been given
// a list that reaches the button picture, entry 15.
class TsuiFileTheme {
public:
    static constexpr int kButtonPicture = 15;

    TsuiFileTheme() = default;
    TsuiFileTheme(const TsuiFileTheme&) = delete;
    TsuiFileTheme& operator=(const TsuiFileTheme&) = delete;
    // Every control still referring to the theme hears of its removal.
    ~TsuiFileTheme();

    void Load(std::vector<fw::Bitmap> pictures);
    void Unload() noexcept;
    bool Loaded() const noexcept { return loaded_; }
    // The button strip; empty while not loaded.
    const fw::Bitmap& ButtonPicture() const noexcept;

    void AddClient(TsuiFileThemeClient* client);
    void RemoveClient(TsuiFileThemeClient* client) noexcept;

private:
    std::vector<fw::Bitmap> pictures_;
    std::vector<TsuiFileThemeClient*> clients_;
    bool loaded_ = false;
};

// The themed form panel: only its style matters to the buttons of its form.
class TsuiForm : public fw::Control {
public:
    explicit TsuiForm(fw::Control* owner, TsuiUIStyle style = TsuiUIStyle::DeepBlue)
        : fw::Control(owner), uiStyle_(style) {}
    TsuiUIStyle UIStyle() const noexcept { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle s) noexcept { uiStyle_ = s; }

private:
    TsuiUIStyle uiStyle_;
};

} // namespace controls
