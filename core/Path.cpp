#include "Path.h"

namespace core {

namespace {

constexpr wchar_t kExtended[] = L"\\\\?\\";
constexpr wchar_t kExtendedUnc[] = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring& s, const wchar_t* prefix) {
    return s.starts_with(prefix);
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

} // namespace

std::wstring ExtractFileDir(const std::wstring& path) {
    const size_t last = path.find_last_of(L"\\:");
    return last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
}

std::wstring AddBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') {
        return path;
    }
    return path + L'\\';
}

std::wstring FileBesideModule(const std::wstring& modulePath, const std::wstring& fileName) {
    const std::wstring dir = ExtractFileDir(modulePath);
    if (dir.empty())
        return {};
    return AddBackslash(dir) + fileName;
}

std::wstring ExtendedLengthPath(const std::wstring& path) {
    if (path.size() < kMaxPath || StartsWith(path, kExtended))
        return path;
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\')
        return kExtended + path;
    if (StartsWith(path, L"\\\\"))
        return kExtendedUnc + path.substr(2);
    return path;
}

std::wstring WithoutExtendedPrefix(const std::wstring& path) {
    if (StartsWith(path, kExtendedUnc))
        return L"\\\\" + path.substr(std::char_traits<wchar_t>::length(kExtendedUnc));
    if (StartsWith(path, kExtended))
        return path.substr(std::char_traits<wchar_t>::length(kExtended));
    return path;
}

} // namespace core
