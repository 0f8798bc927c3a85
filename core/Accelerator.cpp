#include "Accelerator.h"

#include <bitset>

namespace core {
namespace {

const std::wstring kSeparator = L"-";

wchar_t UpperAscii(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool IsAcceleratorCandidate(wchar_t upper) {
    return (upper >= L'0' && upper <= L'9') || (upper >= L'A' && upper <= L'Z');
}

// Set of taken accelerators; only digits and letters are ever handed out.
class TakenSet {
public:
    void Take(wchar_t upper) {
        if (IsAcceleratorCandidate(upper)) {
            bits_.set(static_cast<size_t>(upper - L'0'));
        }
    }
    bool IsTaken(wchar_t upper) const { return bits_.test(static_cast<size_t>(upper - L'0')); }

private:
    std::bitset<L'Z' - L'0' + 1> bits_;
};

// Index of the first free digit or letter outside "&&" pairs, or npos.
size_t FindFreeCharacter(const std::wstring& caption, const TakenSet& taken) {
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&') {
            ++i; // skips the second '&' of a literal pair
            continue;
        }
        const wchar_t upper = UpperAscii(caption[i]);
        if (IsAcceleratorCandidate(upper) && !taken.IsTaken(upper)) {
            return i;
        }
    }
    return std::wstring::npos;
}

} // namespace

wchar_t AcceleratorChar(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') {
            continue;
        }
        if (caption[i + 1] != L'&') {
            return UpperAscii(caption[i + 1]);
        }
        ++i;
    }
    return 0;
}

std::vector<std::wstring> AssignAccelerators(const std::vector<std::wstring>& captions) {
    std::vector<std::wstring> result = captions;
    TakenSet taken;
    for (const std::wstring& caption : captions) {
        taken.Take(AcceleratorChar(caption));
    }
    for (std::wstring& caption : result) {
        if (caption == kSeparator || AcceleratorChar(caption) != 0) {
            continue;
        }
        const size_t at = FindFreeCharacter(caption, taken);
        if (at == std::wstring::npos) {
            continue;
        }
        taken.Take(UpperAscii(caption[at]));
        caption.insert(at, 1, L'&');
    }
    return result;
}

bool IsBlankCaption(const std::wstring& caption) {
    for (wchar_t c : caption) {
        if (c > L' ') {
            return false;
        }
    }
    return true;
}

} // namespace core
