// Module Main: the launcher window TFormMain, its frame, controls, menus and
// handlers.
#pragma once

#include "controls/SkinButtons.h"
#include "controls/SkinForm.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Menu.h"

#include <string>

namespace ui {

// Module initialisation of Main: the application's hand-point cursor becomes
// the system hand, so every control that asks for it shows the system hand.
void InitializeMainModule();

class TFormMain : public fw::Form {
public:
    TFormMain();

    controls::TSkinForm& SkinFormMain() const noexcept { return *SkinFormMain_; }
    fw::Label& LabelInfo1() const noexcept { return *labelInfo1_; }
    fw::Label& LabelInfo2() const noexcept { return *labelInfo2_; }
    // The launcher's buttons and menus by name ("ButtonAudioCD", "PopupMenuAudioCD").
    controls::TSkinImageButton* Button(const std::wstring& name) const noexcept;
    fw::PopupMenu& PopupMenuAudioCD() noexcept { return *popupMenuAudioCD_; }
    fw::PopupMenu& PopupMenuMoreTools() noexcept { return *popupMenuMoreTools_; }

    // Handlers, by control and event.
    void ButtonMinClick(fw::Control& sender);
    void ButtonClose2Click(fw::Control& sender);
    void ButtonDataCDDVDClick(fw::Control& sender);
    void ButtonVCDDVDVideoClick(fw::Control& sender);
    void ButtonAudioCDClick(fw::Control& sender);
    void ButtonMoreToolsClick(fw::Control& sender);
    void ButtonHelpClick(fw::Control& sender);
    void ButtonAboutClick(fw::Control& sender); // with the About dialog, in module about
    void ButtonHomeClick(fw::Control& sender);
    void ButtonDataCDDVDMouseEnter(fw::Control& sender);
    void ButtonVCDDVDVideoMouseEnter(fw::Control& sender);
    void ButtonAudioCDMouseEnter(fw::Control& sender);
    void ButtonMoreToolsMouseEnter(fw::Control& sender);
    void ButtonDataCDDVDMouseExit(fw::Control& sender);
    void ButtonVCDDVDVideoMouseExit(fw::Control& sender);
    void ButtonAudioCDMouseExit(fw::Control& sender);
    void ButtonMoreToolsMouseExit(fw::Control& sender);
    void Menu1Click(fw::MenuItem& sender);
    void Menu2Click(fw::MenuItem& sender);
    void Menu3Click(fw::MenuItem& sender);
    void Menu4Click(fw::MenuItem& sender);
    void Menu5Click(fw::MenuItem& sender);
    void Menu6Click(fw::MenuItem& sender);
    void Menu7Click(fw::MenuItem& sender);

    void SetInfoText(const std::wstring& text);
    void LaunchTool(const std::wstring& fileName);

    // The info line follows the keyboard focus onto a large button too.
    void FocusChanged(fw::Control* focused) override;

protected:
    // A monitor of another scale: artwork, shape, controls and fonts follow it.
    void DpiChanged(int dpi, const RECT& suggested) override;
    bool ScaledWindowSize(int dpi, SIZE& size) override;

private:
    void BuildFrame();
    void BuildControls();
    void BuildMenus();
    // A length of the layout at the scale the window is laid out for.
    int Scaled(int length) const noexcept;
    // The keyboard's focus cue of the buttons at that scale.
    controls::TSkinFocusCue FocusCue() const noexcept;
    // Lays the window out anew at dpi, with its top-left corner at origin (screen).
    void ApplyDpi(int dpi, POINT origin);
    // Opens the menu with its top-left corner at the button's lower-left corner.
    void DropMenu(fw::PopupMenu& menu, const fw::Control& button);
    // The hover text of the large button under the mouse, else of the large
    // button that the keyboard focused, else the welcome text.
    void ShowInfoText();
    void LargeButtonEntered(fw::Control& button);
    void LargeButtonExited(fw::Control& button);

    controls::TSkinForm* SkinFormMain_ = nullptr;
    fw::Label* labelInfo2_ = nullptr;
    fw::Label* labelInfo1_ = nullptr;
    fw::PopupMenu* popupMenuAudioCD_ = nullptr;
    fw::PopupMenu* popupMenuMoreTools_ = nullptr;
    const fw::Control* mouseButton_ = nullptr;    // the large button under the mouse
    const fw::Control* keyboardButton_ = nullptr; // the large button focused from the keyboard
};

} // namespace ui
