#include "ShellTarget.h"

#include "Path.h"

namespace core {

ShellTarget ChooseShellTarget(const std::wstring& longPath, const std::wstring& shortPath,
                              const std::function<std::wstring(const std::wstring&)>& expand,
                              const std::function<bool(const std::wstring&)>& exists) {
    auto literal = [&](const std::wstring& p) { return !p.empty() && p.size() < kMaxPath && expand(p) == p; };
    if (literal(longPath))
        return {ShellRoute::ItemIdList, longPath};
    if (literal(shortPath))
        return {ShellRoute::ShortPath, shortPath};
    if (longPath.empty())
        return {};
    const std::wstring expanded = expand(longPath);
    if (expanded == longPath || !exists(expanded))
        return {ShellRoute::ItemIdList, longPath};
    return {};
}

} // namespace core
