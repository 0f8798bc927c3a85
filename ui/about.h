// Module about: the About dialog TFormAbout. The launcher's ButtonAboutClick
// (a TFormMain method, defined with this module) creates, centres, shows and
// destroys it.
#pragma once

#include "framework/Form.h"
#include "framework/GroupBox.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/PushButton.h"

#include "OrvalisVersion.h"

#include <cstdint>
#include <span>
#include <string>

namespace ui {

inline constexpr wchar_t kAboutVersion[] = ORVALIS_VERSION_WTEXT;

class TFormAbout : public fw::Form {
public:
    // owner: the form whose window owns the dialog (the launcher).
    explicit TFormAbout(fw::Control* owner);

    // The dialog's controls by their names ("ButtonOK", "LabelWeb"); null when none.
    fw::Control* FindControl(const std::wstring& name) const;
    template <typename T> T& Get(const std::wstring& name) const {
        return dynamic_cast<T&>(*FindControl(name));
    }

    fw::PageControl& PageControlMain() const { return Get<fw::PageControl>(L"PageControlMain"); }
    fw::PushButton& ButtonOK() const { return Get<fw::PushButton>(L"ButtonOK"); }
    fw::PushButton& ButtonUpdates() const { return Get<fw::PushButton>(L"ButtonUpdates"); }
    fw::Image& ImageLeft() const { return Get<fw::Image>(L"ImageLeft"); }
    fw::Label& LabalTitle() const { return Get<fw::Label>(L"LabalTitle"); }
    fw::Label& LabelWeb() const { return Get<fw::Label>(L"LabelWeb"); }
    fw::Label& LabelSupportEmail() const { return Get<fw::Label>(L"LabelSupportEmail"); }
    fw::Label& LabelVersion() const { return Get<fw::Label>(L"LabelVersion"); }

    // Handlers, by control and event.
    void FormCreate(fw::Control& sender);
    void LabelWebClick(fw::Control& sender);
    void LabelSupportEmailClick(fw::Control& sender);
    void ButtonUpdatesClick(fw::Control& sender);
    void ImageLeftClick(fw::Control& sender);

protected:
    // A monitor of another scale: size, controls, fonts and picture follow it.
    void DpiChanged(int dpi, const RECT& suggested) override;

private:
    void BuildControls();
    // A length of the dialog's tables at the scale it is laid out for.
    int Scaled(int length) const noexcept;
    // Places and sizes every control of the table, and the picture, at the form's scale.
    void PlaceControls();
};

} // namespace ui
