#include "Main.h"

#include "framework/Application.h"

namespace ui {

namespace {

// The launcher window's own description.
constexpr wchar_t kWindowText[] = L"Orvalis"; // not drawn: the frame has no title bar
constexpr int kClientWidth = 444;
constexpr int kClientHeight = 217;

// The skin control, the window's first child, below every other control.
struct SkinDescription {
    const wchar_t* name;
    int left, top, width, height;
    const wchar_t* glyphResource;
    fw::Color transparentColor;
};
constexpr SkinDescription kSkin{L"suiSkinFormMain", 0, 0, 444, 217, L"SKIN", fw::clFuchsia};

} // namespace

void InitializeMainModule() {
    fw::App().SetCursorEntry(fw::crHandPoint, ::LoadCursorW(nullptr, IDC_HAND));
}

TFormMain::TFormMain() : fw::Form(nullptr) {
    SetName(L"FormMain");
    SetText(kWindowText);
    fw::Font font; // Tahoma, 11 pixels, regular, ANSI, window text
    SetFont(font);
    SetColor(fw::clBtnFace);
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    SetIcon(static_cast<HICON>(::LoadImageW(inst, L"MAINICON", IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                            ::GetSystemMetrics(SM_CYICON), LR_SHARED)),
            static_cast<HICON>(::LoadImageW(inst, L"MAINICON", IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                            ::GetSystemMetrics(SM_CYSMICON), LR_SHARED)));
    BuildFrame();
    // First placement: centred on the whole desktop.
    SetBounds((::GetSystemMetrics(SM_CXVIRTUALSCREEN) - Width()) / 2,
              (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - Height()) / 2, Width(), Height());
}

void TFormMain::BuildFrame() {
    // Stored-property order: bounds, then the picture data read in place (no
    // assignment), then TransparentColor, whose assignment applies the skin
    // once with the whole picture.
    auto& skin = Create<controls::TsuiSkinForm>();
    skin.SetName(kSkin.name);
    skin.SetBounds(kSkin.left, kSkin.top, kSkin.width, kSkin.height);
    skin.Glyph().LoadFromResource(::GetModuleHandleW(nullptr), kSkin.glyphResource);
    skin.SetTransparentColor(kSkin.transparentColor);
    suiSkinFormMain_ = &skin;
}

} // namespace ui
