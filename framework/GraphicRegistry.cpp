#include "GraphicRegistry.h"

#include "core/StoredPicture.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace fw {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

GraphicRegistry& GraphicRegistry::Instance() {
    static GraphicRegistry registry = [] {
        GraphicRegistry r;
        r.Register<BitmapGraphic>("bmp", L"Bitmaps");
        return r;
    }();
    return registry;
}

void GraphicRegistry::Register(std::string extension, std::wstring description, GraphicFactory factory) {
    std::unique_ptr<Graphic> sample = factory();
    if (!sample)
        throw std::invalid_argument("A graphic type's factory made nothing");
    entries_.push_back({Lower(extension), std::move(description), sample->TypeName(), std::move(factory)});
}

void GraphicRegistry::RemoveIf(const std::function<bool(const Graphic*)>& isOfType) {
    std::erase_if(entries_, [&](const GraphicTypeEntry& e) {
        const std::unique_ptr<Graphic> sample = e.factory();
        return sample && isOfType(sample.get());
    });
}

const GraphicTypeEntry* GraphicRegistry::FindByTypeName(std::string_view typeName) const noexcept {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->typeName == typeName)
            return &*it;
    return nullptr;
}

const GraphicTypeEntry* GraphicRegistry::FindByExtension(std::string_view extension) const {
    const std::string ext = Lower(extension);
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->extension == ext)
            return &*it;
    return nullptr;
}

void LoadStoredPicture(Picture& picture, std::span<const std::uint8_t> stored,
                       const GraphicRegistry& registry) {
    const std::optional<core::StoredPicture> split = core::SplitStoredPicture(stored);
    if (!split)
        throw std::runtime_error("Stream read error");
    const GraphicTypeEntry* entry = registry.FindByTypeName(split->typeName);
    if (!entry) {
        picture.Clear();
        return;
    }
    // Owned from the start: a failing read frees it on the way out.
    std::unique_ptr<Graphic> graphic = entry->factory();
    graphic->ReadStoredData(split->data);
    picture.SetGraphic(std::move(graphic));
}

} // namespace fw
