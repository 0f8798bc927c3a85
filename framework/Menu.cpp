#include "Menu.h"

#include "core/Accelerator.h"

#include <stdexcept>

namespace fw {

MenuItem::MenuItem(std::wstring name, std::wstring caption, MenuEvent onClick, UINT commandId)
    : OnClick(std::move(onClick)), name_(std::move(name)), caption_(std::move(caption)), id_(commandId) {}

void MenuItem::Click() {
    if (OnClick)
        OnClick(*this);
}

MenuItem& PopupMenu::Add(std::wstring name, std::wstring caption, MenuEvent onClick) {
    if (items_.size() >= kCommandRange)
        throw std::length_error("Too many entries in menu " + std::string(name_.begin(), name_.end()));
    const UINT id = firstCommandId_ + static_cast<UINT>(items_.size());
    items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption), std::move(onClick), id));
    return *items_.back();
}

MenuItem* PopupMenu::Find(const std::wstring& name) const noexcept {
    for (auto& i : items_)
        if (i->Name() == name)
            return i.get();
    return nullptr;
}

MenuItem* PopupMenu::FindCommand(UINT commandId) const noexcept {
    if (commandId < firstCommandId_ || commandId - firstCommandId_ >= items_.size())
        return nullptr;
    return items_[commandId - firstCommandId_].get();
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

void PopupMenu::Popup(int x, int y, HWND owner, bool selectFirst) {
    RethinkHotkeys();
    UniqueMenu menu(::CreatePopupMenu());
    for (auto& i : items_) {
        if (i->IsSeparator())
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(menu.get(), MF_STRING, i->CommandId(), i->Caption().c_str());
    }
    // Without the owner in the foreground a click elsewhere may not close the menu.
    ::SetForegroundWindow(owner);
    // The menu's own loop takes this key first: Down selects the first entry.
    if (selectFirst)
        ::PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
    ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    // A menu that did not open leaves the key behind; it must not move the focus.
    MSG left;
    if (selectFirst && ::PeekMessageW(&left, owner, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) &&
        left.wParam == VK_DOWN && left.lParam == 0)
        ::PeekMessageW(&left, owner, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
    // The chosen command is posted to the owner; it runs after this returns.
    ::PostMessageW(owner, WM_NULL, 0, 0);
}

} // namespace fw
