#pragma once

#include <string>
#include <vector>

namespace core {

// The accelerator of a menu caption: the character after a single '&' ("&&" is a literal
// ampersand), upper-cased for comparison; 0 when the caption has none.
wchar_t AcceleratorChar(const std::wstring& caption);

// Gives every menu entry without an accelerator the first digit or letter of its caption that no
// other entry has taken, marking it with '&'. Entries that already have one keep it, and their
// characters are reserved before any is handed out, so no two entries end up sharing one.
// Separators ("-") and entries with no free character stay as they are. Applying it to its own
// result changes nothing.
std::vector<std::wstring> AssignAccelerators(const std::vector<std::wstring>& captions);

// True when nothing but blanks and control characters (<= 0x20) make up the caption.
bool IsBlankCaption(const std::wstring& caption);

} // namespace core
