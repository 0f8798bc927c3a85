#include "Path.h"

namespace core {

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

} // namespace core
