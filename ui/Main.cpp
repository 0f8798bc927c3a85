#include "Main.h"

#include "Addresses.h"
#include "core/Path.h"
#include "framework/UtilFuncs.h"
#include "framework/Application.h"

#include <vector>

namespace ui {

namespace {

using Handler = void (TFormMain::*)(fw::Control&);
using MenuHandler = void (TFormMain::*)(fw::MenuItem&);

// The launcher window's own description.
constexpr wchar_t kWindowText[] = L"Orvalis"; // not drawn: the frame has no title bar
constexpr int kClientWidth = 444;
constexpr int kClientHeight = 217;
constexpr wchar_t kWelcome[] = L"Welcome to Orvalis!";

// The skin control, the window's first child, below every other control.
struct SkinDescription {
    const wchar_t* name;
    int left, top, width, height;
    const wchar_t* glyphResource;
    fw::Color transparentColor;
};
constexpr SkinDescription kSkin{L"SkinFormMain", 0, 0, 444, 217, L"SKIN", fw::clFuchsia};

// The info line: a shadow pair of labels that always hold the same text.
struct LabelDescription {
    const wchar_t* name;
    int left, top;
    fw::Color color;
};
constexpr LabelDescription kLabels[] = {
    {L"LabelInfo2", 17, 161, fw::clWhite}, // the shadow, drawn first
    {L"LabelInfo1", 16, 160, 0x2C2C2D},
};
constexpr int kLabelHeight = 13;

// The picture buttons in creation order; where two overlap, the later lies on
// top. Pictures are bitmap resources named <BUTTON>_<STATE>.
struct ButtonDescription {
    const wchar_t* name;
    int left, top, width, height;
    int tabOrder;
    const wchar_t* picNormal;
    const wchar_t* picMouseOn;
    const wchar_t* picMouseDown;
    Handler onClick;
    Handler onMouseEnter;
    Handler onMouseExit;
};
constexpr ButtonDescription kButtons[] = {
    {L"ButtonMin", 372, 7, 29, 19, 0, L"BUTTONMIN_NORMAL", L"BUTTONMIN_HOVER", nullptr,
     &TFormMain::ButtonMinClick, nullptr, nullptr},
    {L"ButtonClose2", 399, 7, 30, 19, 1, L"BUTTONCLOSE2_NORMAL", L"BUTTONCLOSE2_HOVER", nullptr,
     &TFormMain::ButtonClose2Click, nullptr, nullptr},
    {L"ButtonDataCDDVD", 20, 40, 99, 108, 2, L"BUTTONDATACDDVD_NORMAL", L"BUTTONDATACDDVD_HOVER",
     L"BUTTONDATACDDVD_PRESSED", &TFormMain::ButtonDataCDDVDClick, &TFormMain::ButtonDataCDDVDMouseEnter,
     &TFormMain::ButtonDataCDDVDMouseExit},
    {L"ButtonVCDDVDVideo", 121, 40, 99, 108, 3, L"BUTTONVCDDVDVIDEO_NORMAL", L"BUTTONVCDDVDVIDEO_HOVER",
     L"BUTTONVCDDVDVIDEO_PRESSED", &TFormMain::ButtonVCDDVDVideoClick,
     &TFormMain::ButtonVCDDVDVideoMouseEnter, &TFormMain::ButtonVCDDVDVideoMouseExit},
    {L"ButtonAudioCD", 225, 40, 99, 108, 4, L"BUTTONAUDIOCD_NORMAL", L"BUTTONAUDIOCD_HOVER",
     L"BUTTONAUDIOCD_PRESSED", &TFormMain::ButtonAudioCDClick, &TFormMain::ButtonAudioCDMouseEnter,
     &TFormMain::ButtonAudioCDMouseExit},
    {L"ButtonMoreTools", 323, 40, 99, 108, 5, L"BUTTONMORETOOLS_NORMAL", L"BUTTONMORETOOLS_HOVER",
     L"BUTTONMORETOOLS_PRESSED", &TFormMain::ButtonMoreToolsClick, &TFormMain::ButtonMoreToolsMouseEnter,
     &TFormMain::ButtonMoreToolsMouseExit},
    {L"ButtonHelp", 54, 182, 82, 33, 6, L"BUTTONHELP_NORMAL", L"BUTTONHELP_HOVER", L"BUTTONHELP_PRESSED",
     &TFormMain::ButtonHelpClick, nullptr, nullptr},
    {L"ButtonAbout", 136, 182, 79, 33, 7, L"BUTTONABOUT_NORMAL", L"BUTTONABOUT_HOVER", L"BUTTONABOUT_PRESSED",
     &TFormMain::ButtonAboutClick, nullptr, nullptr},
    {L"ButtonHome", 215, 182, 78, 33, 8, L"BUTTONHOME_NORMAL", L"BUTTONHOME_HOVER", L"BUTTONHOME_PRESSED",
     &TFormMain::ButtonHomeClick, nullptr, nullptr},
};

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
constexpr wchar_t kHoverDataCDDVD[] =
    L"Create a data CD/DVD/Blu-ray Disc which can be used to save all types of files/folders";
constexpr wchar_t kHoverVCDDVDVideo[] =
    L"Create a high quality VCD/SVCD/DVD-Video from your video/DVD-Video file structures";
constexpr wchar_t kHoverAudioCD[] = L"Create a standard Audio CD which will play on all audio CD players.";
constexpr wchar_t kHoverMoreTools[] = L"Disc Eraser, Device Info, ISO Builder, ISO Burner, ISO Grabber...";

fw::Font LauncherFont() {
    fw::Font font; // Tahoma, character height 11 pixels (8 points), regular, ANSI
    return font;
}

// The full path of the running executable, however long.
std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

void InitializeMainModule() {
    fw::App().SetCursorEntry(fw::crHandPoint, ::LoadCursorW(nullptr, IDC_HAND));
}

TFormMain::TFormMain() : fw::Form(nullptr) {
    SetName(L"FormMain");
    SetText(kWindowText);
    SetFont(LauncherFont());
    SetColor(fw::clBtnFace);
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    SetIcon(static_cast<HICON>(::LoadImageW(inst, L"MAINICON", IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                            ::GetSystemMetrics(SM_CYICON), LR_SHARED)),
            static_cast<HICON>(::LoadImageW(inst, L"MAINICON", IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                            ::GetSystemMetrics(SM_CYSMICON), LR_SHARED)));
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
    auto& skin = Create<controls::TSkinForm>();
    skin.SetName(kSkin.name);
    skin.SetBounds(kSkin.left, kSkin.top, kSkin.width, kSkin.height);
    skin.Glyph().LoadFromResource(::GetModuleHandleW(nullptr), kSkin.glyphResource);
    skin.SetTransparentColor(kSkin.transparentColor);
    SkinFormMain_ = &skin;
}

void TFormMain::BuildControls() {
    fw::Label* labels[2] = {};
    int i = 0;
    for (const LabelDescription& d : kLabels) {
        auto& label = Create<fw::Label>();
        label.SetName(d.name);
        label.SetTransparent(true);
        label.SetAutoSize(true);
        label.SetWordWrap(false);
        fw::Font font = LauncherFont();
        font.color = d.color;
        label.SetFont(font);
        label.SetBounds(d.left, d.top, label.Width(), kLabelHeight);
        label.SetText(kWelcome);
        labels[i++] = &label;
    }
    labelInfo2_ = labels[0];
    labelInfo1_ = labels[1];

    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    auto loadPicture = [inst](fw::Picture& picture, const wchar_t* resource) {
        if (!resource)
            return;
        fw::Bitmap bmp;
        if (bmp.LoadFromResource(inst, resource))
            picture.SetBitmap(std::move(bmp)); // filled in place, as a stored description does
    };
    for (const ButtonDescription& d : kButtons) {
        auto& b = Create<controls::TSkinImageButton>();
        b.SetName(d.name);
        b.SetBounds(d.left, d.top, d.width, d.height);
        b.SetTabOrder(d.tabOrder);
        b.SetCursor(fw::crHandPoint);
        loadPicture(b.PicNormal(), d.picNormal);
        loadPicture(b.PicMouseOn(), d.picMouseOn);
        loadPicture(b.PicMouseDown(), d.picMouseDown);
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
        b.OnClick = bind(d.onClick);
        b.OnMouseEnter = bind(d.onMouseEnter);
        b.OnMouseExit = bind(d.onMouseExit);
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
    fill(popupMenuAudioCD_, kAudioCDMenu);
    fill(popupMenuMoreTools_, kMoreToolsMenu);
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
    // The directory of the running executable, with its closing separator.
    UtilFuncs::OpenWithShell(UtilFuncs::AddBackslash(core::ExtractFileDir(ModuleFileName())) + fileName);
}

void TFormMain::DropMenu(fw::PopupMenu& menu, const fw::Control& button) {
    // The window has no border, so this is the button's lower-left corner on screen.
    menu.Popup(Left() + button.Left(), Top() + button.Top() + button.Height(), Handle());
}

void TFormMain::ButtonMinClick(fw::Control&) {
    fw::App().Minimize();
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
    DropMenu(popupMenuAudioCD_, sender);
}
void TFormMain::ButtonMoreToolsClick(fw::Control& sender) {
    DropMenu(popupMenuMoreTools_, sender);
}
void TFormMain::ButtonHelpClick(fw::Control&) {
    UtilFuncs::OpenWithShell(WebSiteAddress);
}
void TFormMain::ButtonHomeClick(fw::Control&) {
    UtilFuncs::OpenWithShell(WebSiteAddress);
}
void TFormMain::ButtonDataCDDVDMouseEnter(fw::Control&) {
    SetInfoText(kHoverDataCDDVD);
}
void TFormMain::ButtonVCDDVDVideoMouseEnter(fw::Control&) {
    SetInfoText(kHoverVCDDVDVideo);
}
void TFormMain::ButtonAudioCDMouseEnter(fw::Control&) {
    SetInfoText(kHoverAudioCD);
}
void TFormMain::ButtonMoreToolsMouseEnter(fw::Control&) {
    SetInfoText(kHoverMoreTools);
}
void TFormMain::ButtonDataCDDVDMouseExit(fw::Control&) {
    SetInfoText(kWelcome);
}
void TFormMain::ButtonVCDDVDVideoMouseExit(fw::Control&) {
    SetInfoText(kWelcome);
}
void TFormMain::ButtonAudioCDMouseExit(fw::Control&) {
    SetInfoText(kWelcome);
}
void TFormMain::ButtonMoreToolsMouseExit(fw::Control&) {
    SetInfoText(kWelcome);
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
