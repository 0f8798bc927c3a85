#include "PngResource.h"

#include <wincodec.h>

#include <utility>

namespace fw {
namespace {

// Owns one COM interface pointer and releases it.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p_)
            p_->Release();
    }
    T* operator->() const noexcept { return p_; }
    T* get() const noexcept { return p_; }
    T** put() noexcept { return &p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

bool HasAlpha(const WICPixelFormatGUID& format) {
    for (const GUID& alpha :
         {GUID_WICPixelFormat32bppBGRA, GUID_WICPixelFormat32bppRGBA, GUID_WICPixelFormat32bppPBGRA,
          GUID_WICPixelFormat32bppPRGBA, GUID_WICPixelFormat64bppRGBA, GUID_WICPixelFormat64bppBGRA,
          GUID_WICPixelFormat64bppPRGBA, GUID_WICPixelFormat16bppGrayHalf, GUID_WICPixelFormat8bppAlpha})
        if (::IsEqualGUID(format, alpha))
            return true;
    return false;
}

} // namespace

bool LoadPngResource(Bitmap& bitmap, HINSTANCE module, const wchar_t* name) {
    HRSRC res = ::FindResourceW(module, name, MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL data = res ? ::LoadResource(module, res) : nullptr;
    auto* bytes = static_cast<BYTE*>(data ? ::LockResource(data) : nullptr);
    if (!bytes)
        return false;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    WICPixelFormatGUID format{};
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()))) ||
        FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(bytes, ::SizeofResource(module, res))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) || FAILED(frame->GetPixelFormat(&format)) ||
        FAILED(factory->CreateFormatConverter(converter.put())))
        return false;
    // Straight alpha stays straight: the About picture keeps its colour where alpha is 0.
    const bool alpha = HasAlpha(format);
    if (FAILED(converter->Initialize(frame.get(),
                                     alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        return false;
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 16384 ||
        height > 16384)
        return false;
    Bitmap decoded(static_cast<int>(width), static_cast<int>(height), alpha ? 32 : 24);
    const UINT stride = static_cast<UINT>(decoded.Stride());
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, decoded.Row(0))))
        return false;
    bitmap = std::move(decoded);
    return true;
}

} // namespace fw
