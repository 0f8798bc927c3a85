// The control kit's owner-drawn push button base.
//
// TSkinCustomButton keeps two state flags (the cursor is over it; it is held
// down), answers the mouse, Space and Enter, the form's dialog keys and its
// caption's accelerator, copies its modal result into its form on every click,
// runs a repeat timer while the left button holds it down, and paints every
// state into an off-screen buffer through a fixed row of overridable steps:
// background, state picture, focus frame, caption. TSkinImageButton takes its
// face from four pictures, one per state.
#pragma once

#include "SkinThemes.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Graphic.h"
#include "framework/WinControl.h"

#include <memory>
#include <string>

namespace controls {

class TSkinCustomButton : public fw::WinControl, private TSkinFileThemeClient {
public:
    explicit TSkinCustomButton(fw::Control* owner);
    ~TSkinCustomButton() override;

    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(const std::wstring& caption);
    bool AutoSize() const noexcept { return autoSize_; }
    void SetAutoSize(bool a);
    bool Cancel() const noexcept { return cancel_; }
    void SetCancel(bool c) noexcept { cancel_ = c; }
    bool Default() const noexcept { return default_; }
    void SetDefault(bool d);
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool t);
    int ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(int r) noexcept { modalResult_ = r; }
    virtual TSkinUIStyle UIStyle() const noexcept { return uiStyle_; }
    void SetUIStyle(TSkinUIStyle s);
    // Read only when the repeat timer is created, at a left press.
    int MouseContinuouslyDownInterval() const noexcept { return interval_; }
    void SetMouseContinuouslyDownInterval(int ms) noexcept { interval_ = ms; }
    int FocusedRectMargin() const noexcept { return focusedRectMargin_; }
    void SetFocusedRectMargin(int m);
    TSkinFileTheme* FileTheme() const noexcept { return fileTheme_; }
    void SetFileTheme(TSkinFileTheme* theme);
    void SetEnabled(bool e) override;
    // Paints the face at once (nothing while the window does not exist).
    void Repaint() override;

    // A button that drops a menu: Down, Alt+Down and F4 click it too, and
    // assistive technology hears of a menu button that opens a popup.
    bool HasPopup() const noexcept { return hasPopup_; }
    void SetHasPopup(bool p);
    // The click that is running came from a key (or an assistive client), not
    // from the mouse: a menu it drops opens with its first entry selected.
    bool ClickedFromKeyboard() const noexcept { return keyboardClick_; }

    bool MouseOver() const noexcept { return mouseOver_; }
    bool MousePressed() const noexcept { return mousePressed_; }
    bool AcceptsEnter() const noexcept { return acceptsEnter_; }
    bool PictureTransparent() const noexcept { return pictureTransparent_; }
    // From a left press until the press ends; a period of 0 exists but never ticks.
    bool HasRepeatTimer() const noexcept { return repeatTimerExists_; }

    fw::NotifyEvent OnMouseEnter;
    fw::NotifyEvent OnMouseExit;
    fw::NotifyEvent OnMouseContinuouslyDown;

    // Framework notifications.
    void MouseEnter() override;
    void MouseLeave() override;
    void CancelMode() override;
    bool DialogKey(WORD key, fw::ShiftState shift) override;
    bool DialogChar(wchar_t ch) override;
    void FocusChanged(fw::Control* focused) override;
    void FontChanged() override;
    void TextChanged() override;
    void UIStateChanged() override;

    // Hot while the cursor is over it, pressed while held, a popup for a menu button.
    fw::AccStates AccessibleStates() const noexcept override;
    void AccessibleDoDefaultAction() override;

    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void MouseMove(fw::ShiftState shift, int x, int y) override;
    void Click() override;

protected:
    // The overridable steps, in this order.
    virtual void ApplyAutoSize();
    virtual void CaptionUpdated() {}
    virtual void FontUpdated();
    virtual void TransparentUpdated();
    virtual void EnabledUpdated() {}
    virtual void UIStyleUpdated() {}
    virtual void DrawStatePicture(fw::Canvas& canvas, fw::Bitmap& bitmap);
    virtual void DrawCaptionText(fw::Canvas& canvas, const std::wstring& text);
    virtual void DrawFocusFrame(fw::Canvas& canvas);
    // A fetch fills the bitmap with its state's picture, or empties it when
    // there is none. The paint keeps the bitmap between paints, so a fetch of
    // a picture of the same size reuses its pixels instead of making new ones.
    virtual void FetchPicNormal(fw::Bitmap& bitmap);
    virtual void FetchPicMouseOn(fw::Bitmap& bitmap);
    virtual void FetchPicMouseDown(fw::Bitmap& bitmap);
    virtual void FetchPicDisabled(fw::Bitmap& bitmap);

    void CreateParamsFor(fw::CreateParams& p) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void KeyDown(WORD& key, fw::ShiftState shift) override;
    void KeyUp(WORD& key, fw::ShiftState shift) override;

    // The style whose strip the default pictures come from: the theme file's
    // button picture when FromThemeFile names a loaded theme, else Navy.
    const fw::Bitmap& ResolvedStrip() const;
    // The whole face into dc, whose origin is the button's top-left corner.
    void PaintFace(HDC dc);
    // Draws the parent's background and face (and its windowless controls)
    // under control into the canvas, whose origin is control's top-left corner.
    static void PaintParentBackground(fw::Canvas& canvas, fw::Control& control);
    // Draws bitmap into dst on the canvas as Canvas::DrawBitmap does, through
    // a source DC that the button keeps.
    void DrawPicture(fw::Canvas& canvas, const fw::Bitmap& bitmap, const RECT& dst);

private:
    void FileThemeRemoved(TSkinFileTheme& theme) override;
    void StartRepeatTimer();
    void StopRepeatTimer() noexcept;
    void FetchStatePicture(fw::Bitmap& bitmap);
    void DrawCaptionIn(fw::Canvas& canvas, RECT r);
    void KeyboardClick();
    // Tells assistive technology when a state that the button itself changes
    // (focused, hot, pressed, unavailable) has changed.
    fw::AccStates OwnStates() const noexcept;
    void ReportStateChange();

    std::wstring caption_;
    bool autoSize_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool transparent_ = false;
    int modalResult_ = 0;
    TSkinUIStyle uiStyle_ = TSkinUIStyle::Navy;
    int interval_ = 100;
    int focusedRectMargin_ = 2;
    TSkinFileTheme* fileTheme_ = nullptr;

    bool mouseOver_ = false;
    bool mousePressed_ = false;
    bool acceptsEnter_ = false;
    bool pictureTransparent_ = false;
    bool repeatTimerExists_ = false;
    bool hasFocus_ = false;
    bool hasPopup_ = false;
    bool keyboardClick_ = false;
    fw::AccStates reportedStates_ = 0;
    fw::WindowTimer repeatTimer_;
    // Kept between paints: making a bitmap or a DC costs more than a paint.
    fw::Bitmap picture_;
    fw::UniqueDC pictureDC_;
};

} // namespace controls
