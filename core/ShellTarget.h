// How a file is handed to the shell so that the shell opens that file and no
// other, whatever characters its path holds and however long it is.
#pragma once

#include <functional>
#include <string>

namespace core {

enum class ShellRoute {
    None,       // nothing is handed over: the shell could be made to open another file
    ItemIdList, // the path's item ID list: no character of the path is read as syntax
    ShortPath,  // the path's short form as a string
};

struct ShellTarget {
    ShellRoute route = ShellRoute::None;
    std::wstring path; // the path to build the item ID list from, or the string to hand over
};

// The shell reads a file path like a command: "%NAME%" in it becomes the value
// of the variable NAME (expand gives that reading), and a path kMaxPath long or
// longer is not found at all. Some shells do that even for an item ID list,
// reading it back as its long path. So the long path goes as an item ID list
// when it reads the same expanded and is short enough; otherwise the short form
// (shortPath, empty when the system has none) as a string, when it reads the
// same and is short enough; otherwise the long path's item ID list still, but
// only when its expanded reading names nothing that exists, so that no other
// file or folder can be opened in its place.
ShellTarget ChooseShellTarget(const std::wstring& longPath, const std::wstring& shortPath,
                              const std::function<std::wstring(const std::wstring&)>& expand,
                              const std::function<bool(const std::wstring&)>& exists);

} // namespace core
