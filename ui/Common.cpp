#include "Common.h"

#include "core/Scale.h"

namespace ui {

fw::Font TahomaFont(int dpi) {
    fw::Font font;
    font.height = core::ScaleLength(font.height, dpi);
    return font;
}

void SetApplicationIcon(fw::Form& form) {
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    auto load = [inst](int width, int height) {
        return static_cast<HICON>(::LoadImageW(inst, L"MAINICON", IMAGE_ICON, width, height, LR_SHARED));
    };
    form.SetIcon(load(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)),
                 load(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)));
}

std::wstring Wide(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

} // namespace ui
