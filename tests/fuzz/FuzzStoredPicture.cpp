// Feeds arbitrary bytes to the stored-picture and bitmap-file readers and checks what they return.
#include "core/AlphaBlend.h"
#include "core/PixelRuns.h"
#include "core/StoredPicture.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckResult(const core::BitmapReadResult& result, size_t inputSize) {
    const auto* bitmap = std::get_if<core::DecodedBitmap>(&result);
    if (bitmap == nullptr) {
        if (const auto* error = std::get_if<core::BitmapReadError>(&result)) {
            Check(!error->message.empty());
        }
        return;
    }
    Check(bitmap->width > 0 && bitmap->height > 0);
    Check(bitmap->bitsPerPixel == 24 || bitmap->bitsPerPixel == 32);
    Check(bitmap->pixels.size() ==
          static_cast<size_t>(bitmap->width) * static_cast<size_t>(bitmap->height) * bitmap->BytesPerPixel());
    // Rows must have come from the input: at worst 1 bit per pixel grows to 3 bytes.
    Check(bitmap->pixels.size() <= inputSize * 24);

    // Decoded pictures go straight to the shape scanner and the blend; both must stay inside them.
    const core::ImageView view = bitmap->View();
    for (const core::PixelRun& run : core::ScanOpaqueRuns(view, 0xFF00FF)) {
        Check(run.left >= 0 && run.left < run.right && run.right < bitmap->width);
        Check(run.y >= 0 && run.y < bitmap->height);
    }
    if (bitmap->bitsPerPixel == 32) {
        std::vector<uint8_t> target(static_cast<size_t>(bitmap->width) * bitmap->height * 3, 0x80);
        core::BlendBitmap32({target.data(), bitmap->width, bitmap->height, ptrdiff_t{bitmap->width} * 3, 3},
                            view);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    CheckResult(core::ReadBitmapFile(input), size);
    if (const auto stored = core::SplitStoredPicture(input)) {
        Check(stored->typeName.size() == input[0]);
        Check(stored->data.size() == size - 1 - input[0]);
        CheckResult(core::ReadStoredBitmapData(stored->data), size);
    }
    return 0;
}
