// Module Main: the launcher window TFormMain.
#pragma once

#include "controls/SkinForm.h"
#include "framework/Form.h"

#include <string>

namespace ui {

// Module initialisation of Main: the application's hand-point cursor becomes
// the system hand, so every control that asks for it shows the system hand.
void InitializeMainModule();

class TFormMain : public fw::Form {
public:
    TFormMain();

    controls::TsuiSkinForm& suiSkinFormMain() const noexcept { return *suiSkinFormMain_; }

private:
    void BuildFrame();

    controls::TsuiSkinForm* suiSkinFormMain_ = nullptr;
};

} // namespace ui
