// Module about: the About dialog, and the launcher's handler that opens it.
#include "about.h"

#include "Addresses.h"
#include "Artwork.h"
#include "Common.h"
#include "Main.h"
#include "core/Scale.h"
#include "framework/UtilFuncs.h"
#include "framework/Application.h"
#include "framework/FocusProxy.h"
#include "framework/GraphicRegistry.h"

#include <memory>
#include <stdexcept>

namespace ui {

namespace {

using Handler = void (TFormAbout::*)(fw::Control&);
// What a link opens, from the label's current text.
using Address = std::wstring (*)(const fw::Label&);

std::wstring WebAddress(const fw::Label& label) {
    return label.Text();
}
std::wstring MailAddress(const fw::Label& label) {
    return L"mailto:" + label.Text();
}

// The lettering under the About picture's motif, and what the picture is called.
constexpr wchar_t kProductName[] = L"Orvalis";

// The dialog window.
struct WindowDescription {
    const wchar_t* name;
    fw::BorderStyle border;
    fw::BorderIcons icons;
    int clientWidth, clientHeight;
    fw::Color color;
};
constexpr WindowDescription kWindow{L"FormAbout",
                                    fw::BorderStyle::Single,
                                    {.systemMenu = true, .minimize = false, .maximize = false},
                                    523,
                                    298,
                                    fw::clBtnFace};

enum class Kind { Panel, PageControl, TabSheet, PushButton, GroupBox, Label, Image };
constexpr int kNoTabOrder = -1;
constexpr int kAutoSize = -1;  // a label's width or height that follows its text
constexpr int kBevelWidth = 1; // every bevel of the panels

struct Bounds {
    int left, top, width, height;
};

// A control's stored settings beyond its place; only what differs from the defaults is written.
// Labels are transparent only where said; links are blue, underlined, with the hand cursor.
struct Settings {
    int tabOrder = kNoTabOrder;
    const wchar_t* text = L"";
    Handler onClick = nullptr;
    // Labels.
    bool bold = false;
    bool transparent = false;
    bool wordWrap = false;
    bool showAccelChar = true;
    bool link = false;
    Address address = nullptr; // a link reachable by the keyboard
    // Panels.
    fw::Bevel bevelInner = fw::Bevel::None;
    fw::Bevel bevelOuter = fw::Bevel::None;
    int borderWidth = 0;
    fw::Color color = fw::clBtnFace;
    // Push buttons and images.
    bool isDefault = false;
    int modalResult = fw::mrNone;
    bool center = false;
};

struct ControlDescription {
    Kind kind;
    const wchar_t* name;
    const wchar_t* parent; // null: the dialog itself
    Bounds bounds;
    Settings settings;
};

constexpr wchar_t kCopyright[] = L"Copyright (c) 2026 Orvalis. All rights reserved.";
constexpr wchar_t kCheckText[] =
    L"To ensure you're using the latest version, click on the \r\nUpdates button below.";

// Creation order: every parent before its children.
// clang-format off
constexpr ControlDescription kControls[] = {
    // kind             name                 parent             left, top, width, height
    {Kind::Panel,       L"PanelMain",        nullptr,           {0, 0, 523, 298},     {.tabOrder = 0, .borderWidth = 12}},
    {Kind::PageControl, L"PageControlMain",  L"PanelMain",      {200, 8, 305, 245},   {.tabOrder = 0}},

    {Kind::TabSheet,    L"TabSheetAbout",    L"PageControlMain", {0, 0, 0, 0},        {.tabOrder = 0, .text = L"About"}},
    {Kind::Label,       L"LabalTitle",       L"TabSheetAbout",  {16, 12, 265, 26},    {.bold = true, .transparent = true, .wordWrap = true, .showAccelChar = false}},
    {Kind::Label,       L"LabelCopyright",   L"TabSheetAbout",  {16, 48, 265, 26},    {.text = kCopyright, .wordWrap = true}},
    {Kind::Label,       L"LabelWebTitle",    L"TabSheetAbout",  {16, 144, kAutoSize, kAutoSize}, {.text = L"Web site:"}},
    {Kind::Label,       L"LabelWeb",         L"TabSheetAbout",  {16, 160, kAutoSize, kAutoSize}, {.onClick = &TFormAbout::LabelWebClick, .link = true, .address = &WebAddress}},
    {Kind::Label,       L"LabelSupport",     L"TabSheetAbout",  {16, 176, kAutoSize, kAutoSize}, {.text = L"Support:"}},
    {Kind::Label,       L"LabelSupportEmail", L"TabSheetAbout", {16, 192, kAutoSize, kAutoSize}, {.onClick = &TFormAbout::LabelSupportEmailClick, .link = true, .address = &MailAddress}},

    {Kind::TabSheet,    L"TabSheetUpdate",   L"PageControlMain", {0, 0, 0, 0},        {.tabOrder = 1, .text = L"Update"}},
    {Kind::Label,       L"LabelCheckTitle",  L"TabSheetUpdate", {16, 132, kAutoSize, kAutoSize}, {.text = L"Check for update", .bold = true, .transparent = true}},
    {Kind::Label,       L"LabelCheck",       L"TabSheetUpdate", {16, 152, kAutoSize, kAutoSize}, {.text = kCheckText}},
    {Kind::Label,       L"LabelPInfo",       L"TabSheetUpdate", {16, 12, kAutoSize, kAutoSize},  {.text = L"Product information", .bold = true, .transparent = true}},
    {Kind::PushButton,  L"ButtonUpdates",    L"TabSheetUpdate", {206, 184, 75, 25},   {.tabOrder = 0, .text = L"&Updates...", .onClick = &TFormAbout::ButtonUpdatesClick}},
    {Kind::GroupBox,    L"GroupBoxPInfo",    L"TabSheetUpdate", {16, 32, 275, 73},    {.tabOrder = 1}},
    {Kind::Label,       L"LabelVersion",     L"GroupBoxPInfo",  {12, 16, kAutoSize, kAutoSize},  {}},

    {Kind::PushButton,  L"ButtonOK",         L"PanelMain",      {438, 265, 75, 25},   {.tabOrder = 1, .text = L"&OK", .isDefault = true, .modalResult = fw::mrOk}},
    {Kind::Panel,       L"PanelmageLeft",    L"PanelMain",      {12, 12, 175, 242},   {.tabOrder = 2, .bevelInner = fw::Bevel::Raised, .bevelOuter = fw::Bevel::Lowered, .color = fw::clWhite}},
    {Kind::Image,       L"ImageLeft",        L"PanelmageLeft",  {2, 2, 171, 238},     {.onClick = &TFormAbout::ImageLeftClick, .center = true}},
};
// clang-format on

fw::Label& AsLabel(fw::Control& sender) {
    auto* label = dynamic_cast<fw::Label*>(&sender);
    if (!label)
        throw std::runtime_error("Invalid class typecast");
    return *label;
}

fw::Control& CreateKind(fw::WinControl& parent, Kind kind) {
    switch (kind) {
    case Kind::Panel:
        return parent.Create<fw::Panel>();
    case Kind::PageControl:
        return parent.Create<fw::PageControl>();
    case Kind::TabSheet:
        return parent.Create<fw::TabSheet>();
    case Kind::PushButton:
        return parent.Create<fw::PushButton>();
    case Kind::GroupBox:
        return parent.Create<fw::GroupBox>();
    case Kind::Label:
        return parent.Create<fw::Label>();
    case Kind::Image:
        return parent.Create<fw::Image>();
    }
    throw std::logic_error("unknown control kind");
}

// A table's bounds at a scale; a length that follows the text stays so.
Bounds ScaledBounds(const Bounds& b, int dpi) {
    auto scaled = [dpi](int length) {
        return length == kAutoSize ? kAutoSize : core::ScaleLength(length, dpi);
    };
    return {core::ScaleLength(b.left, dpi), core::ScaleLength(b.top, dpi), scaled(b.width), scaled(b.height)};
}

void ApplyLabel(fw::Label& label, const Bounds& b, const Settings& d) {
    fw::Font font = label.GetFont();
    font.bold = d.bold;
    if (d.link) {
        font.color = fw::clBlue;
        font.underline = true;
        label.SetCursor(fw::crHandPoint);
        label.SetColor(fw::clBtnFace);
    }
    if (!(font == label.GetFont()))
        label.SetFont(font);
    label.SetTransparent(d.transparent);
    label.SetShowAccelChar(d.showAccelChar);
    label.SetWordWrap(d.wordWrap);
    const bool autoSize = b.width == kAutoSize;
    label.SetAutoSize(autoSize);
    label.SetBounds(b.left, b.top, autoSize ? label.Width() : b.width, autoSize ? label.Height() : b.height);
    label.SetText(d.text);
    // A link is reported through its keyboard stand-in (BuildControls).
    label.SetAccessibleRole(d.link ? fw::AccRole::None : fw::AccRole::StaticText);
}

} // namespace

TFormAbout::TFormAbout(fw::Control* owner) : fw::Form(owner) {
    // Shown over the launcher, so on its monitor: laid out at its scale.
    if (auto* ownerForm = dynamic_cast<fw::Form*>(owner))
        SetDpi(ownerForm->Dpi());
    SetName(kWindow.name);
    SetFont(TahomaFont(Dpi()));
    SetColor(kWindow.color);
    SetBorderStyle(kWindow.border);
    SetBorderIcons(kWindow.icons);
    SetClientWidth(Scaled(kWindow.clientWidth));
    SetClientHeight(Scaled(kWindow.clientHeight));
    // The system menu's icon at the left of the title is the application's.
    SetApplicationIcon(*this);
    BuildControls();
    OnCreate = [this](fw::Control& sender) { FormCreate(sender); };
    OnCreate(*this);
}

fw::Control* TFormAbout::FindControl(const std::wstring& name) const {
    fw::Control* found = nullptr;
    ForEachDescendant([&](fw::Control& c) {
        if (!found && c.Name() == name)
            found = &c;
    });
    return found;
}

void TFormAbout::BuildControls() {
    for (const ControlDescription& desc : kControls) {
        fw::Control* parentControl = desc.parent ? FindControl(desc.parent) : this;
        auto* parent = dynamic_cast<fw::WinControl*>(parentControl);
        if (!parent)
            throw std::logic_error("the About dialog's control table names a parent that holds no controls");
        fw::Control& c = CreateKind(*parent, desc.kind);
        c.SetName(desc.name);
        const Settings& d = desc.settings;
        const Bounds b = ScaledBounds(desc.bounds, Dpi());
        if (d.onClick) {
            const Handler h = d.onClick;
            c.OnClick = [this, h](fw::Control& sender) { (this->*h)(sender); };
        }
        if (auto* w = dynamic_cast<fw::WinControl*>(&c); w && d.tabOrder != kNoTabOrder)
            w->SetTabOrder(d.tabOrder);
        switch (desc.kind) {
        case Kind::Label:
            ApplyLabel(static_cast<fw::Label&>(c), b, d);
            continue;
        case Kind::Panel: {
            auto& panel = static_cast<fw::Panel&>(c);
            panel.SetBevelInner(d.bevelInner);
            panel.SetBevelOuter(d.bevelOuter);
            panel.SetBevelWidth(Scaled(kBevelWidth));
            panel.SetBorderWidth(Scaled(d.borderWidth));
            panel.SetColor(d.color);
            break;
        }
        case Kind::PushButton: {
            auto& button = static_cast<fw::PushButton&>(c);
            button.SetDefault(d.isDefault);
            button.SetModalResult(d.modalResult);
            break;
        }
        case Kind::Image: {
            auto& image = static_cast<fw::Image&>(c);
            image.SetCenter(d.center);
            image.SetCursor(fw::crHandPoint);
            image.SetAccessibleRole(fw::AccRole::Graphic);
            image.SetAccessibleName(kProductName);
            // The stored picture: a failure to read it ends the dialog's creation.
            LoadAboutPicture(image.GetPicture(), Dpi());
            break;
        }
        default:
            break;
        }
        c.SetText(d.text);
        if (desc.kind != Kind::TabSheet) // the page control places its sheets
            c.SetBounds(b.left, b.top, b.width, b.height);
    }
    // The links take the keyboard focus through stand-ins, after the other
    // controls of their page in the tab order: Enter or Space opens them.
    for (const ControlDescription& desc : kControls) {
        if (!desc.settings.address)
            continue;
        auto& label = Get<fw::Label>(desc.name);
        auto& proxy = label.Parent()->Create<fw::FocusProxy>(label);
        proxy.SetName(std::wstring(desc.name) + L"Focus");
        proxy.SetAccessibleRole(fw::AccRole::Link);
        proxy.SetAccessibleValue([&label, address = desc.settings.address] { return address(label); });
    }
}

int TFormAbout::Scaled(int length) const noexcept {
    return core::ScaleLength(length, Dpi());
}

void TFormAbout::PlaceControls() {
    const int dpi = Dpi();
    for (const ControlDescription& desc : kControls) {
        fw::Control* c = FindControl(desc.name);
        if (!c)
            continue;
        const Bounds b = ScaledBounds(desc.bounds, dpi);
        if (auto* label = dynamic_cast<fw::Label*>(c)) {
            // Own fonts (bold, links) keep their look at the new height; the others follow the form's.
            if (!label->ParentFont()) {
                fw::Font font = label->GetFont();
                font.height = TahomaFont(dpi).height;
                label->SetFont(font);
            }
            const bool autoSize = desc.bounds.width == kAutoSize;
            label->SetBounds(b.left, b.top, autoSize ? label->Width() : b.width,
                             autoSize ? label->Height() : b.height);
            continue;
        }
        if (auto* panel = dynamic_cast<fw::Panel*>(c)) {
            panel->SetBevelWidth(Scaled(kBevelWidth));
            panel->SetBorderWidth(Scaled(desc.settings.borderWidth));
        }
        if (auto* image = dynamic_cast<fw::Image*>(c)) {
            LoadAboutPicture(image->GetPicture(), dpi);
            image->PictureChanged();
        }
        if (desc.kind != Kind::TabSheet)
            c->SetBounds(b.left, b.top, b.width, b.height);
    }
}

void TFormAbout::DpiChanged(int dpi, const RECT& suggested) {
    SetDpi(dpi);
    SetFont(TahomaFont(dpi));
    PlaceControls();
    // The place is the suggested one; the client area the table's at the new scale, in
    // whatever frame the window has there.
    SetBounds(suggested.left, suggested.top, Width(), Height());
    SetClientWidth(Scaled(kWindow.clientWidth));
    SetClientHeight(Scaled(kWindow.clientHeight));
}

void TFormAbout::FormCreate(fw::Control&) {
    SetCaption(fw::Application::Instance().Title());
    LabalTitle().SetText(Caption() + L" " + kAboutVersion);
    LabelVersion().SetText(kAboutVersion);
    SetCaption(L"About " + Caption());
    LabelWeb().SetText(WebSiteAddress);
    LabelSupportEmail().SetText(SupportMailAddress);
}

void TFormAbout::LabelWebClick(fw::Control& sender) {
    UtilFuncs::OpenWithShell(WebAddress(AsLabel(sender)));
}

void TFormAbout::LabelSupportEmailClick(fw::Control& sender) {
    UtilFuncs::OpenWithShell(MailAddress(AsLabel(sender)));
}

void TFormAbout::ButtonUpdatesClick(fw::Control&) {
    UtilFuncs::OpenWithShell(WebSiteAddress);
}

void TFormAbout::ImageLeftClick(fw::Control&) {
    UtilFuncs::OpenWithShell(WebSiteAddress);
}

void TFormMain::ButtonAboutClick(fw::Control&) {
    // Destroyed whatever the result, also when showing it ends by an exception.
    auto dialog = std::make_unique<TFormAbout>(this);
    dialog->SetBounds(Left() + (Width() - dialog->Width()) / 2, Top() + (Height() - dialog->Height()) / 2,
                      dialog->Width(), dialog->Height());
    dialog->ShowModal();
}

} // namespace ui
