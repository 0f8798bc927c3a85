// The picture-type registry: which graphic type a stored type name or a file
// extension stands for. Lookups go newest entry first, so a later registration
// of the same name or extension wins.
#pragma once

#include "Graphic.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

using GraphicFactory = std::function<std::unique_ptr<Graphic>()>;

struct GraphicTypeEntry {
    std::string extension; // lower-case, without the dot
    std::wstring description;
    std::string typeName; // the stored class name, e.g. "TBitmap"
    GraphicFactory factory;
};

class GraphicRegistry {
public:
    // The application's registry; it starts with the ordinary bitmap ("bmp", TBitmap).
    static GraphicRegistry& Instance();
    GraphicRegistry() = default;

    void Register(std::string extension, std::wstring description, GraphicFactory factory);
    template <typename T> void Register(std::string extension, std::wstring description) {
        Register(std::move(extension), std::move(description), [] { return std::make_unique<T>(); });
    }
    // Removes every entry whose type is T or derives from T.
    template <typename T> void Unregister() {
        RemoveIf([](const Graphic* g) { return dynamic_cast<const T*>(g) != nullptr; });
    }
    // Removes the entries for which isOfType holds on an empty graphic of the entry's type.
    void RemoveIf(const std::function<bool(const Graphic*)>& isOfType);

    const GraphicTypeEntry* FindByTypeName(std::string_view typeName) const noexcept;
    const GraphicTypeEntry* FindByExtension(std::string_view extension) const;
    const std::vector<GraphicTypeEntry>& Entries() const noexcept { return entries_; }

private:
    std::vector<GraphicTypeEntry> entries_; // oldest first
};

// Rebuilds a stored picture: one length byte, that many bytes of type name,
// then the type's own data. An unknown type name empties the picture without
// error. A read failure throws std::runtime_error with the reader's message
// and leaves the picture as it was; the graphic under construction is freed.
void LoadStoredPicture(Picture& picture, std::span<const std::uint8_t> stored,
                       const GraphicRegistry& registry = GraphicRegistry::Instance());

} // namespace fw
