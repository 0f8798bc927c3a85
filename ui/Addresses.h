// The product's addresses, opened through the shell by the launcher and the
// About dialog. Both lie under the reserved example domain.
#pragma once

namespace ui {

inline constexpr wchar_t WebSiteAddress[] = L"https://www.orvalis.example/";
inline constexpr wchar_t SupportMailAddress[] = L"support@orvalis.example";

} // namespace ui
