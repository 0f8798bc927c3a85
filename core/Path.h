#pragma once

#include <string>

namespace core {

// The directory part of a path: everything up to and including its last '\' or ':'.
// Empty when the path has neither ("b.exe").
std::wstring ExtractFileDir(const std::wstring& path);

// path ending in exactly one added backslash unless it already ends in one, so a bare drive
// "C:" becomes its root "C:\". An empty path gives "\".
std::wstring AddBackslash(const std::wstring& path);

} // namespace core
