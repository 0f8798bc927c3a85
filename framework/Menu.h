// Popup menus of plain text entries. Each time a menu is about to open, every
// entry without an accelerator gets one; the mark stays in the caption, so
// later openings give the same accelerators. A chosen entry's handler runs
// after the menu has closed, when the form that owns the menu gets its command.
#pragma once

#include "Handles.h"
#include "Types.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class MenuItem;
// Menu handlers receive the entry that was chosen.
using MenuEvent = std::function<void(MenuItem& sender)>;

class MenuItem {
public:
    MenuItem(std::wstring name, std::wstring caption, MenuEvent onClick, UINT commandId);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::wstring& Name() const noexcept { return name_; }
    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(const std::wstring& c) { caption_ = c; }
    bool IsSeparator() const noexcept { return caption_ == L"-"; }
    UINT CommandId() const noexcept { return id_; }
    void Click();

    MenuEvent OnClick;

private:
    std::wstring name_;
    std::wstring caption_;
    UINT id_;
};

class PopupMenu {
public:
    // Entries take the command ids from firstCommandId on, one each, at most
    // kCommandRange of them; the owner keeps the ranges of its menus apart.
    static constexpr UINT kCommandRange = 256;
    PopupMenu(std::wstring name, UINT firstCommandId)
        : name_(std::move(name)), firstCommandId_(firstCommandId) {}
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    const std::wstring& Name() const noexcept { return name_; }

    MenuItem& Add(std::wstring name, std::wstring caption, MenuEvent onClick = {});
    const std::vector<std::unique_ptr<MenuItem>>& Items() const noexcept { return items_; }
    MenuItem* Find(const std::wstring& name) const noexcept;
    MenuItem* FindCommand(UINT commandId) const noexcept;

    // Gives entries without an accelerator their automatic one.
    void RethinkHotkeys();
    // Opens the menu with its top-left corner at the screen point (Windows
    // shifts it into the screen), owned by the given window, and returns when
    // it has closed. Either mouse button chooses an entry; its command is
    // posted to the owner. Opened from the keyboard, it opens with its first
    // entry selected, as the system's menus do.
    void Popup(int x, int y, HWND owner, bool selectFirst = false);

private:
    std::wstring name_;
    UINT firstCommandId_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

} // namespace fw
