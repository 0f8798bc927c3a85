#include "Menu.h"

#include "core/Accelerator.h"

#include <map>

namespace fw {

namespace {

// Live entries by command id; an entry leaves when it is destroyed, so a
// command that arrives late for a destroyed menu does nothing.
std::map<UINT, MenuItem*>& Registry() {
    static std::map<UINT, MenuItem*> items;
    return items;
}

UINT NextCommandId() {
    static UINT next = 0x7000;
    do {
        next = next >= 0xEFFF ? 0x7000 : next + 1;
    } while (Registry().count(next));
    return next;
}

} // namespace

MenuItem::MenuItem(std::wstring name, std::wstring caption, MenuEvent onClick)
    : OnClick(std::move(onClick)), name_(std::move(name)), caption_(std::move(caption)),
      id_(NextCommandId()) {
    Registry()[id_] = this;
}

MenuItem::~MenuItem() {
    Registry().erase(id_);
}

void MenuItem::Click() {
    if (OnClick)
        OnClick(*this);
}

MenuItem& PopupMenu::Add(std::wstring name, std::wstring caption, MenuEvent onClick) {
    items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption), std::move(onClick)));
    return *items_.back();
}

MenuItem* PopupMenu::Find(const std::wstring& name) const noexcept {
    for (auto& i : items_)
        if (i->Name() == name)
            return i.get();
    return nullptr;
}

void PopupMenu::RethinkHotkeys() {
    std::vector<std::wstring> captions;
    captions.reserve(items_.size());
    for (auto& i : items_)
        captions.push_back(i->Caption());
    captions = core::AssignAccelerators(captions);
    for (size_t k = 0; k < items_.size(); ++k)
        items_[k]->SetCaption(captions[k]);
}

void PopupMenu::Popup(int x, int y, HWND owner) {
    RethinkHotkeys();
    UniqueMenu menu(::CreatePopupMenu());
    for (auto& i : items_) {
        if (i->IsSeparator())
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(menu.get(), MF_STRING, i->CommandId(), i->Caption().c_str());
    }
    if (OnPopup)
        OnPopup(menu.get());
    // Without the owner in the foreground a click elsewhere may not close the menu.
    ::SetForegroundWindow(owner);
    ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    // The chosen command is posted to the owner; it runs after this returns.
    ::PostMessageW(owner, WM_NULL, 0, 0);
}

bool PopupMenu::DispatchCommand(UINT id) {
    auto& reg = Registry();
    auto it = reg.find(id);
    if (it == reg.end())
        return false;
    it->second->Click();
    return true;
}

} // namespace fw
