#include "Main.h"

#include "Addresses.h"
#include "Artwork.h"
#include "Common.h"
#include "LauncherLayout.h"
#include "core/Path.h"
#include "core/Scale.h"
#include "framework/Dpi.h"
#include "framework/UtilFuncs.h"
#include "framework/Application.h"

#include <array>
#include <iterator>
#include <string_view>
#include <vector>

namespace ui {

namespace {

using Handler = void (TFormMain::*)(fw::Control&);
using MenuHandler = void (TFormMain::*)(fw::MenuItem&);

// Event handlers of the picture buttons, in the layout's creation order.
struct ButtonHandlers {
    const char* name;
    Handler onClick;
    Handler onMouseEnter;
    Handler onMouseExit;
};
constexpr ButtonHandlers kButtonHandlers[] = {
    {"ButtonMin", &TFormMain::ButtonMinClick, nullptr, nullptr},
    {"ButtonClose2", &TFormMain::ButtonClose2Click, nullptr, nullptr},
    {"ButtonDataCDDVD", &TFormMain::ButtonDataCDDVDClick, &TFormMain::ButtonDataCDDVDMouseEnter,
     &TFormMain::ButtonDataCDDVDMouseExit},
    {"ButtonVCDDVDVideo", &TFormMain::ButtonVCDDVDVideoClick, &TFormMain::ButtonVCDDVDVideoMouseEnter,
     &TFormMain::ButtonVCDDVDVideoMouseExit},
    {"ButtonAudioCD", &TFormMain::ButtonAudioCDClick, &TFormMain::ButtonAudioCDMouseEnter,
     &TFormMain::ButtonAudioCDMouseExit},
    {"ButtonMoreTools", &TFormMain::ButtonMoreToolsClick, &TFormMain::ButtonMoreToolsMouseEnter,
     &TFormMain::ButtonMoreToolsMouseExit},
    {"ButtonHelp", &TFormMain::ButtonHelpClick, nullptr, nullptr},
    {"ButtonAbout", &TFormMain::ButtonAboutClick, nullptr, nullptr},
    {"ButtonHome", &TFormMain::ButtonHomeClick, nullptr, nullptr},
};

constexpr bool HandlersFollowTheLayout() {
    if (std::size(kButtonHandlers) != std::size(layout::kButtons))
        return false;
    for (size_t i = 0; i < std::size(kButtonHandlers); ++i)
        if (std::string_view(kButtonHandlers[i].name) != layout::kButtons[i].name)
            return false;
    return true;
}
static_assert(HandlersFollowTheLayout(), "one handler row per layout button, in the same order");

// Drop-down menus: plain text entries, accelerators given when a menu opens.
struct MenuEntryDescription {
    const wchar_t* name;
    const wchar_t* caption;
    MenuHandler onClick;
};
constexpr MenuEntryDescription kAudioCDMenu[] = {
    {L"Menu1", L"Audio CD Burner", &TFormMain::Menu1Click},
    {L"Menu2", L"Audio CD Grabber", &TFormMain::Menu2Click},
};
constexpr MenuEntryDescription kMoreToolsMenu[] = {
    {L"Menu3", L"ISO Burner", &TFormMain::Menu3Click},  {L"Menu4", L"ISO Grabber", &TFormMain::Menu4Click},
    {L"Menu5", L"ISO Builder", &TFormMain::Menu5Click}, {L"N1", L"-", nullptr},
    {L"Menu6", L"Disc Eraser", &TFormMain::Menu6Click}, {L"Menu7", L"Device Info", &TFormMain::Menu7Click},
};

// The suite's tools, each an executable in the launcher's own directory.
constexpr wchar_t kToolDataCDDVD[] = L"Tarvek.exe";
constexpr wchar_t kToolVCDDVDVideo[] = L"Mirolan.exe";
constexpr wchar_t kToolAudioCDBurner[] = L"Questo.exe";
constexpr wchar_t kToolAudioCDGrabber[] = L"Pelvane.exe";
constexpr wchar_t kToolISOBurner[] = L"Dravin.exe";
constexpr wchar_t kToolISOGrabber[] = L"Kolmet.exe";
constexpr wchar_t kToolISOBuilder[] = L"Sarneth.exe";
constexpr wchar_t kToolDiscEraser[] = L"Ulbrin.exe";
constexpr wchar_t kToolDeviceInfo[] = L"Fostrel.exe";

// What the info line says while the mouse is on a large button, or the keyboard's focus; null
// for the other buttons.
const char* HoverText(const fw::Control& button) {
    for (const layout::ButtonLayout& b : layout::kButtons)
        if (button.Name() == Wide(b.name))
            return b.hoverText;
    return nullptr;
}

constexpr bool DropsMenu(std::string_view button) {
    for (const layout::MenuLayout& m : layout::kMenus)
        if (button == m.button)
            return true;
    return false;
}

// The full path of the running executable, however long; empty when the
// system cannot give it.
std::wstring ModuleFileName() {
    constexpr size_t kLongest = 32768; // the longest path the system has
    for (std::wstring path(MAX_PATH, L'\0'); path.size() < 2 * kLongest; path.resize(path.size() * 2)) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
    }
    return {};
}

} // namespace

void InitializeMainModule() {
    fw::Application::Instance().SetCursorEntry(fw::crHandPoint, ::LoadCursorW(nullptr, IDC_HAND));
}

TFormMain::TFormMain() : fw::Form(nullptr) {
    SetName(L"FormMain");
    SetText(Wide(layout::kWindowText));
    SetFont(TahomaFont(Dpi()));
    SetColor(fw::clBtnFace);
    SetClientWidth(Scaled(layout::kClientWidth));
    SetClientHeight(Scaled(layout::kClientHeight));
    SetApplicationIcon(*this);
    // The buttons lie in three rows: the title buttons, the large ones, the bottom row.
    SetArrowKeys(fw::ArrowKeys::Rows);
    BuildFrame();
    BuildControls();
    BuildMenus();
    // The skin has made the window, which now knows its monitor's scale.
    if (const int dpi = fw::WindowDpi(Handle()); dpi != Dpi())
        ApplyDpi(dpi, POINT{Left(), Top()});
    // First placement: centred on the whole desktop.
    SetBounds((::GetSystemMetrics(SM_CXVIRTUALSCREEN) - Width()) / 2,
              (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - Height()) / 2, Width(), Height());
}

void TFormMain::BuildFrame() {
    // Stored-property order: bounds, then the picture data read in place (no
    // assignment), then TransparentColor, whose assignment applies the skin
    // once with the whole picture.
    constexpr const layout::SkinLayout& d = layout::kSkin;
    auto& skin = Create<controls::TSkinForm>();
    skin.SetName(Wide(d.name));
    skin.SetBounds(Scaled(d.bounds.left), Scaled(d.bounds.top), Scaled(d.bounds.width),
                   Scaled(d.bounds.height));
    LoadSkin(skin.Glyph(), Dpi());
    skin.SetTransparentColor(d.transparentColor);
    SkinFormMain_ = &skin;
}

void TFormMain::BuildControls() {
    fw::Label* labels[2] = {};
    int i = 0;
    for (const layout::LabelLayout& d : layout::kInfoLabels) {
        auto& label = Create<fw::Label>();
        label.SetName(Wide(d.name));
        label.SetTransparent(true);
        label.SetAutoSize(true);
        label.SetWordWrap(false);
        fw::Font font = TahomaFont(Dpi());
        font.color = d.color;
        label.SetFont(font);
        label.SetBounds(Scaled(d.left), Scaled(d.top), label.Width(), Scaled(layout::kInfoLabelHeight));
        label.SetText(Wide(layout::kWelcome));
        labels[i++] = &label;
    }
    labelInfo2_ = labels[0];
    labelInfo1_ = labels[1];
    // The shadow repeats the text: assistive technology reads the line once.
    labelInfo1_->SetAccessibleRole(fw::AccRole::Text);

    auto loadPicture = [this](fw::Picture& picture, const layout::ButtonLayout& d, layout::PictureState s) {
        if (!d.HasPicture(s))
            return;
        fw::Bitmap bmp;
        if (LoadScaledBitmap(bmp, d.PictureResource(s), d.bounds.width, d.bounds.height, Dpi()))
            picture.SetBitmap(std::move(bmp)); // filled in place, as a stored description does
    };
    for (size_t i = 0; i < std::size(layout::kButtons); ++i) {
        const layout::ButtonLayout& d = layout::kButtons[i];
        const ButtonHandlers& handlers = kButtonHandlers[i];
        auto& b = Create<controls::TSkinImageButton>();
        b.SetName(Wide(d.name));
        b.SetBounds(Scaled(d.bounds.left), Scaled(d.bounds.top), Scaled(d.bounds.width),
                    Scaled(d.bounds.height));
        b.SetTabOrder(d.tabOrder);
        b.SetCursor(fw::crHandPoint);
        loadPicture(b.PicNormal(), d, layout::PictureState::Normal);
        loadPicture(b.PicMouseOn(), d, layout::PictureState::Hover);
        loadPicture(b.PicMouseDown(), d, layout::PictureState::Pressed);
        b.SetAutoSize(true);
        b.SetStretch(false);
        b.SetTransparent(false);
        b.SetDrawFocused(false);
        b.SetFocusedRectMargin(Scaled(2));
        b.SetMouseContinuouslyDownInterval(100);
        b.SetModalResult(0);
        b.SetUIStyle(controls::TSkinUIStyle::FromThemeFile);
        b.SetKeyboardFocusCue(FocusCue());
        b.SetHasPopup(DropsMenu(d.name));
        b.SetAccessibleName(Wide(d.accessibleName));
        if (d.hoverText)
            b.SetAccessibleDescription(Wide(d.hoverText));
        auto bind = [this](Handler h) -> fw::NotifyEvent {
            if (!h)
                return {};
            return [this, h](fw::Control& sender) { (this->*h)(sender); };
        };
        b.OnClick = bind(handlers.onClick);
        b.OnMouseEnter = bind(handlers.onMouseEnter);
        b.OnMouseExit = bind(handlers.onMouseExit);
    }
}

void TFormMain::BuildMenus() {
    auto fill = [this](fw::PopupMenu& menu, const auto& entries) {
        for (const MenuEntryDescription& e : entries) {
            fw::MenuEvent handler;
            if (e.onClick)
                handler = [this, h = e.onClick](fw::MenuItem& sender) { (this->*h)(sender); };
            menu.Add(e.name, e.caption, std::move(handler));
        }
    };
    popupMenuAudioCD_ = &CreatePopupMenu(L"PopupMenuAudioCD");
    fill(*popupMenuAudioCD_, kAudioCDMenu);
    popupMenuMoreTools_ = &CreatePopupMenu(L"PopupMenuMoreTools");
    fill(*popupMenuMoreTools_, kMoreToolsMenu);
}

int TFormMain::Scaled(int length) const noexcept {
    return core::ScaleLength(length, Dpi());
}

controls::TSkinFocusCue TFormMain::FocusCue() const noexcept {
    constexpr const layout::FocusCueLayout& cue = layout::kFocusCue;
    return {cue.outer, cue.inner, Scaled(cue.outerWidth), Scaled(cue.radius)};
}

void TFormMain::ApplyDpi(int dpi, POINT origin) {
    // Every picture is loaded before anything on the window changes.
    fw::Bitmap skinPicture;
    if (!LoadSkin(skinPicture, dpi))
        return; // no artwork for it: the window stays as it is
    constexpr size_t kStates = std::size(layout::kPictureStates);
    std::vector<std::array<fw::Bitmap, kStates>> pictures(std::size(layout::kButtons));
    for (size_t i = 0; i < std::size(layout::kButtons); ++i) {
        const layout::ButtonLayout& d = layout::kButtons[i];
        for (size_t s = 0; s < kStates; ++s)
            if (d.HasPicture(layout::kPictureStates[s]))
                LoadScaledBitmap(pictures[i][s], d.PictureResource(layout::kPictureStates[s]), d.bounds.width,
                                 d.bounds.height, dpi);
    }

    SetDpi(dpi);
    SetFont(TahomaFont(dpi));
    // The controls first, the skin last: applying it paints the face at once, and by
    // then everything on it is in place.
    fw::Label* labels[] = {labelInfo2_, labelInfo1_};
    for (size_t i = 0; i < std::size(layout::kInfoLabels); ++i) {
        const layout::LabelLayout& d = layout::kInfoLabels[i];
        fw::Font font = TahomaFont(dpi);
        font.color = d.color;
        labels[i]->SetFont(font);
        labels[i]->SetBounds(Scaled(d.left), Scaled(d.top), labels[i]->Width(), labels[i]->Height());
    }
    for (size_t i = 0; i < std::size(layout::kButtons); ++i) {
        const layout::ButtonLayout& d = layout::kButtons[i];
        controls::TSkinImageButton* b = Button(Wide(d.name));
        if (!b)
            continue;
        fw::Picture* states[] = {&b->PicNormal(), &b->PicMouseOn(), &b->PicMouseDown()};
        for (size_t s = 0; s < kStates; ++s)
            if (pictures[i][s].HasImage())
                states[s]->SetBitmap(std::move(pictures[i][s]));
        b->SetBounds(Scaled(d.bounds.left), Scaled(d.bounds.top), Scaled(d.bounds.width),
                     Scaled(d.bounds.height));
        b->SetFocusedRectMargin(Scaled(2));
        b->SetKeyboardFocusCue(FocusCue());
    }
    SetBounds(origin.x, origin.y, Width(), Height());
    const layout::SkinLayout& d = layout::kSkin;
    controls::TSkinForm& skin = *SkinFormMain_;
    skin.SetBounds(Scaled(d.bounds.left), Scaled(d.bounds.top), Scaled(d.bounds.width),
                   Scaled(d.bounds.height));
    skin.Glyph() = std::move(skinPicture);
    skin.SetTransparentColor(d.transparentColor); // new shape, client size and face
}

void TFormMain::DpiChanged(int dpi, const RECT& suggested) {
    // The size is the skin's at the new scale; the place is where Windows suggests.
    ApplyDpi(dpi, POINT{suggested.left, suggested.top});
}

bool TFormMain::ScaledWindowSize(int dpi, SIZE& size) {
    // No frame: the window is the skin's size at that scale.
    size = {core::ScaleLength(layout::kClientWidth, dpi), core::ScaleLength(layout::kClientHeight, dpi)};
    return true;
}

controls::TSkinImageButton* TFormMain::Button(const std::wstring& name) const noexcept {
    for (const auto& c : Controls())
        if (c->Name() == name)
            return dynamic_cast<controls::TSkinImageButton*>(c.get());
    return nullptr;
}

void TFormMain::SetInfoText(const std::wstring& text) {
    labelInfo1_->SetText(text);
    labelInfo2_->SetText(text);
}

void TFormMain::LaunchTool(const std::wstring& fileName) {
    // The file beside the running executable, and nothing when its own path is unknown.
    const std::wstring path = core::FileBesideModule(ModuleFileName(), fileName);
    if (!path.empty())
        UtilFuncs::OpenFileWithShell(path);
}

void TFormMain::DropMenu(fw::PopupMenu& menu, const fw::Control& button) {
    const auto* b = dynamic_cast<const controls::TSkinCustomButton*>(&button);
    const bool fromKeyboard = b && b->ClickedFromKeyboard();
    // The window has no border, so this is the button's lower-left corner on screen.
    menu.Popup(Left() + button.Left(), Top() + button.Top() + button.Height(), Handle(), fromKeyboard);
}

void TFormMain::ShowInfoText() {
    // The mouse has priority over the keyboard.
    const fw::Control* shown = mouseButton_ ? mouseButton_ : keyboardButton_;
    const char* text = shown ? HoverText(*shown) : nullptr;
    SetInfoText(Wide(text ? text : layout::kWelcome));
}

void TFormMain::LargeButtonEntered(fw::Control& button) {
    mouseButton_ = &button;
    ShowInfoText();
}

void TFormMain::LargeButtonExited(fw::Control& button) {
    if (mouseButton_ == &button)
        mouseButton_ = nullptr;
    ShowInfoText();
}

void TFormMain::FocusChanged(fw::Control* focused) {
    fw::Form::FocusChanged(focused);
    const fw::Control* fromKeyboard =
        focused && FocusFromKeyboard() && HoverText(*focused) ? focused : nullptr;
    if (fromKeyboard == keyboardButton_)
        return;
    keyboardButton_ = fromKeyboard;
    ShowInfoText();
}

void TFormMain::ButtonMinClick(fw::Control&) {
    fw::Application::Instance().Minimize();
}
void TFormMain::ButtonClose2Click(fw::Control&) {
    Close();
}
void TFormMain::ButtonDataCDDVDClick(fw::Control&) {
    LaunchTool(kToolDataCDDVD);
}
void TFormMain::ButtonVCDDVDVideoClick(fw::Control&) {
    LaunchTool(kToolVCDDVDVideo);
}
void TFormMain::ButtonAudioCDClick(fw::Control& sender) {
    DropMenu(*popupMenuAudioCD_, sender);
}
void TFormMain::ButtonMoreToolsClick(fw::Control& sender) {
    DropMenu(*popupMenuMoreTools_, sender);
}
void TFormMain::ButtonHelpClick(fw::Control&) {
    UtilFuncs::OpenWithShell(WebSiteAddress);
}
void TFormMain::ButtonHomeClick(fw::Control&) {
    UtilFuncs::OpenWithShell(WebSiteAddress);
}
void TFormMain::ButtonDataCDDVDMouseEnter(fw::Control& sender) {
    LargeButtonEntered(sender);
}
void TFormMain::ButtonVCDDVDVideoMouseEnter(fw::Control& sender) {
    LargeButtonEntered(sender);
}
void TFormMain::ButtonAudioCDMouseEnter(fw::Control& sender) {
    LargeButtonEntered(sender);
}
void TFormMain::ButtonMoreToolsMouseEnter(fw::Control& sender) {
    LargeButtonEntered(sender);
}
void TFormMain::ButtonDataCDDVDMouseExit(fw::Control& sender) {
    LargeButtonExited(sender);
}
void TFormMain::ButtonVCDDVDVideoMouseExit(fw::Control& sender) {
    LargeButtonExited(sender);
}
void TFormMain::ButtonAudioCDMouseExit(fw::Control& sender) {
    LargeButtonExited(sender);
}
void TFormMain::ButtonMoreToolsMouseExit(fw::Control& sender) {
    LargeButtonExited(sender);
}
void TFormMain::Menu1Click(fw::MenuItem&) {
    LaunchTool(kToolAudioCDBurner);
}
void TFormMain::Menu2Click(fw::MenuItem&) {
    LaunchTool(kToolAudioCDGrabber);
}
void TFormMain::Menu3Click(fw::MenuItem&) {
    LaunchTool(kToolISOBurner);
}
void TFormMain::Menu4Click(fw::MenuItem&) {
    LaunchTool(kToolISOGrabber);
}
void TFormMain::Menu5Click(fw::MenuItem&) {
    LaunchTool(kToolISOBuilder);
}
void TFormMain::Menu6Click(fw::MenuItem&) {
    LaunchTool(kToolDiscEraser);
}
void TFormMain::Menu7Click(fw::MenuItem&) {
    LaunchTool(kToolDeviceInfo);
}

} // namespace ui
