// A font description with value semantics; controls copy it, canvases turn it
// into a GDI font when they draw.
#pragma once

#include "Handles.h"
#include "Types.h"

#include <string>

namespace fw {

struct Font {
    std::wstring name = L"Tahoma";
    int height = 11; // character height in pixels (8 points at 96 dpi)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Color color = clWindowText;
    BYTE charset = ANSI_CHARSET;

    UniqueFont Create() const;
    bool operator==(const Font&) const = default;
};

} // namespace fw
