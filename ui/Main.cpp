#include "Main.h"

#include "Addresses.h"
#include "Common.h"
#include "LauncherLayout.h"
#include "core/Path.h"
#include "framework/UtilFuncs.h"
#include "framework/Application.h"

#include <iterator>
#include <string_view>

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

// What the info line says while the mouse is on a large button.
constexpr const char* kHoverDataCDDVD = layout::Button("ButtonDataCDDVD").hoverText;
constexpr const char* kHoverVCDDVDVideo = layout::Button("ButtonVCDDVDVideo").hoverText;
constexpr const char* kHoverAudioCD = layout::Button("ButtonAudioCD").hoverText;
constexpr const char* kHoverMoreTools = layout::Button("ButtonMoreTools").hoverText;

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
    SetFont(TahomaFont());
    SetColor(fw::clBtnFace);
    SetClientWidth(layout::kClientWidth);
    SetClientHeight(layout::kClientHeight);
    SetApplicationIcon(*this);
    BuildFrame();
    BuildControls();
    BuildMenus();
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
    skin.SetBounds(d.bounds.left, d.bounds.top, d.bounds.width, d.bounds.height);
    skin.Glyph().LoadFromResource(::GetModuleHandleW(nullptr), Wide(d.resource).c_str());
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
        fw::Font font = TahomaFont();
        font.color = d.color;
        label.SetFont(font);
        label.SetBounds(d.left, d.top, label.Width(), layout::kInfoLabelHeight);
        label.SetText(Wide(layout::kWelcome));
        labels[i++] = &label;
    }
    labelInfo2_ = labels[0];
    labelInfo1_ = labels[1];

    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    auto loadPicture = [inst](fw::Picture& picture, const layout::ButtonLayout& d, layout::PictureState s) {
        if (!d.HasPicture(s))
            return;
        fw::Bitmap bmp;
        if (bmp.LoadFromResource(inst, Wide(d.PictureResource(s)).c_str()))
            picture.SetBitmap(std::move(bmp)); // filled in place, as a stored description does
    };
    for (size_t i = 0; i < std::size(layout::kButtons); ++i) {
        const layout::ButtonLayout& d = layout::kButtons[i];
        const ButtonHandlers& handlers = kButtonHandlers[i];
        auto& b = Create<controls::TSkinImageButton>();
        b.SetName(Wide(d.name));
        b.SetBounds(d.bounds.left, d.bounds.top, d.bounds.width, d.bounds.height);
        b.SetTabOrder(d.tabOrder);
        b.SetCursor(fw::crHandPoint);
        loadPicture(b.PicNormal(), d, layout::PictureState::Normal);
        loadPicture(b.PicMouseOn(), d, layout::PictureState::Hover);
        loadPicture(b.PicMouseDown(), d, layout::PictureState::Pressed);
        b.SetAutoSize(true);
        b.SetStretch(false);
        b.SetTransparent(false);
        b.SetDrawFocused(false);
        b.SetFocusedRectMargin(2);
        b.SetMouseContinuouslyDownInterval(100);
        b.SetModalResult(0);
        b.SetUIStyle(controls::TSkinUIStyle::FromThemeFile);
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
    // The window has no border, so this is the button's lower-left corner on screen.
    menu.Popup(Left() + button.Left(), Top() + button.Top() + button.Height(), Handle());
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
void TFormMain::ButtonDataCDDVDMouseEnter(fw::Control&) {
    SetInfoText(Wide(kHoverDataCDDVD));
}
void TFormMain::ButtonVCDDVDVideoMouseEnter(fw::Control&) {
    SetInfoText(Wide(kHoverVCDDVDVideo));
}
void TFormMain::ButtonAudioCDMouseEnter(fw::Control&) {
    SetInfoText(Wide(kHoverAudioCD));
}
void TFormMain::ButtonMoreToolsMouseEnter(fw::Control&) {
    SetInfoText(Wide(kHoverMoreTools));
}
void TFormMain::ButtonDataCDDVDMouseExit(fw::Control&) {
    SetInfoText(Wide(layout::kWelcome));
}
void TFormMain::ButtonVCDDVDVideoMouseExit(fw::Control&) {
    SetInfoText(Wide(layout::kWelcome));
}
void TFormMain::ButtonAudioCDMouseExit(fw::Control&) {
    SetInfoText(Wide(layout::kWelcome));
}
void TFormMain::ButtonMoreToolsMouseExit(fw::Control&) {
    SetInfoText(Wide(layout::kWelcome));
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
