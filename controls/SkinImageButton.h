// TSkinImageButton: the push button whose face comes from four pictures, one
// per state.
#pragma once

#include "SkinCustomButton.h"

#include "framework/Graphic.h"

#include <optional>

namespace controls {

// The keyboard's focus cue of an image button, in colours that suit its skin:
// a ring with rounded corners, inset by FocusedRectMargin, of outerWidth
// one-pixel lines in the outer colour and one line in the inner colour inside.
struct TSkinFocusCue {
    fw::Color outer;
    fw::Color inner;
    int outerWidth;
    int radius;
};

class TSkinImageButton : public TSkinCustomButton {
public:
    explicit TSkinImageButton(fw::Control* owner);

    // The button's own containers. Changing one in place applies nothing; the
    // setters copy the picture, apply AutoSize and repaint.
    fw::Picture& PicNormal() noexcept { return picNormal_; }
    fw::Picture& PicMouseOn() noexcept { return picMouseOn_; }
    fw::Picture& PicMouseDown() noexcept { return picMouseDown_; }
    fw::Picture& PicDisabled() noexcept { return picDisabled_; }
    void SetPicNormal(const fw::Picture& p);
    void SetPicMouseOn(const fw::Picture& p);
    void SetPicMouseDown(const fw::Picture& p);
    void SetPicDisabled(const fw::Picture& p);

    bool Stretch() const noexcept { return stretch_; }
    void SetStretch(bool s);
    bool DrawFocused() const noexcept { return drawFocused_; }
    void SetDrawFocused(bool d);
    // With DrawFocused off, the focused button still shows where the focus is
    // while its form shows focus cues (the user works with the keyboard): this
    // cue, over the picture. None: no focus frame at all, as DrawFocused says.
    const std::optional<TSkinFocusCue>& KeyboardFocusCue() const noexcept { return focusCue_; }
    void SetKeyboardFocusCue(const std::optional<TSkinFocusCue>& cue);
    // Every step that uses the style is replaced here, so the style reads back
    // as FromThemeFile whatever was written.
    TSkinUIStyle UIStyle() const noexcept override { return TSkinUIStyle::FromThemeFile; }

protected:
    void ApplyAutoSize() override;
    void DrawStatePicture(fw::Canvas& canvas, fw::Bitmap& bitmap) override;
    void DrawFocusFrame(fw::Canvas& canvas) override;
    void FetchPicNormal(fw::Bitmap& bitmap) override;
    void FetchPicMouseOn(fw::Bitmap& bitmap) override;
    void FetchPicMouseDown(fw::Bitmap& bitmap) override;
    void FetchPicDisabled(fw::Bitmap& bitmap) override;

private:
    void AssignPicture(fw::Picture& target, const fw::Picture& source);
    // Copies the container's bitmap into bitmap, into its pixels when the sizes
    // match; throws for a graphic that is no bitmap.
    static void CopyPicture(const fw::Picture& picture, fw::Bitmap& bitmap);
    // The state's own picture if it holds one, else PicNormal if that does.
    void FetchWithFallback(const fw::Picture& own, fw::Bitmap& bitmap) const;

    fw::Picture picNormal_;
    fw::Picture picMouseOn_;
    fw::Picture picMouseDown_;
    fw::Picture picDisabled_;
    bool stretch_ = false;
    bool drawFocused_ = false;
    std::optional<TSkinFocusCue> focusCue_;
};

} // namespace controls
