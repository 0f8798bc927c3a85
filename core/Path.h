#pragma once

#include <cstddef>
#include <string>

namespace core {

// The longest path, terminator included, that the system's plain path functions and the
// shell take; longer ones need the extended form below (or a short form).
constexpr std::size_t kMaxPath = 260;

// The directory part of a path: everything up to and including its last '\' or ':'.
// Empty when the path has neither ("b.exe").
std::wstring ExtractFileDir(const std::wstring& path);

// path ending in exactly one added backslash unless it already ends in one, so a bare drive
// "C:" becomes its root "C:\". An empty path gives "\".
std::wstring AddBackslash(const std::wstring& path);

// The file fileName in the directory of modulePath ("C:\Suite\Orvalis.exe" and "Questo.exe" give
// "C:\Suite\Questo.exe"). Empty when modulePath names no directory, as when the module's own
// name could not be had: a bare file name would otherwise be looked for at the drive's root.
std::wstring FileBesideModule(const std::wstring& modulePath, const std::wstring& fileName);

// A full path in the form that the file functions take at any length: "\\?\C:\..." for a drive
// path, "\\?\UNC\server\share\..." for a network path, when it is kMaxPath long or longer;
// shorter paths, relative ones and those already in that form are returned unchanged.
std::wstring ExtendedLengthPath(const std::wstring& path);
// The path without the "\\?\" or "\\?\UNC\" prefix of the extended form.
std::wstring WithoutExtendedPrefix(const std::wstring& path);

} // namespace core
