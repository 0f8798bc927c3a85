#include "AlphaBlend.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORVALIS_BLEND_SSSE3 1
#endif

namespace core {
namespace {

// P * a + D * (256 - a) is never negative, so the shift rounds down like the division.
inline uint8_t BlendChannel(int p, int d, int alpha) {
    return static_cast<uint8_t>(((p - d) * alpha + d * 256) >> 8);
}

template <int TargetBytesPerPixel> void BlendPixels(uint8_t* d, const uint8_t* p, int count) {
    for (int x = 0; x < count; ++x, d += TargetBytesPerPixel, p += 4) {
        const int alpha = p[3];
        d[0] = BlendChannel(p[0], d[0], alpha);
        d[1] = BlendChannel(p[1], d[1], alpha);
        d[2] = BlendChannel(p[2], d[2], alpha);
    }
}

template <int TargetBytesPerPixel>
void BlendRows(MutableImageView target, const ImageView& picture, int width, int height) {
    for (int y = 0; y < height; ++y)
        BlendPixels<TargetBytesPerPixel>(target.bits + y * target.stride, picture.bits + y * picture.stride,
                                         width);
}

#ifdef ORVALIS_BLEND_SSSE3
// Four pixels a step onto a 24-bit row, in 16-bit lanes. The formula's value
// lies in 0..65535, so 16-bit wrap-around arithmetic gives it exactly; the
// logical shift then takes its whole part. The same integers as BlendChannel.
__attribute__((target("ssse3"))) void BlendRows24Ssse3(MutableImageView target, const ImageView& picture,
                                                       int width, int height) {
    const __m128i colours = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m128i alphas = _mm_setr_epi8(3, 3, 3, 7, 7, 7, 11, 11, 11, 15, 15, 15, -1, -1, -1, -1);
    const __m128i keep = _mm_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1);
    const __m128i zero = _mm_setzero_si128();
    // A step reads 16 target bytes from pixel x on, so it needs x + 6 <= width.
    const int vectorWidth = width >= 6 ? ((width - 6) / 4 + 1) * 4 : 0;
    for (int y = 0; y < height; ++y) {
        uint8_t* d = target.bits + y * target.stride;
        const uint8_t* p = picture.bits + y * picture.stride;
        int x = 0;
        // Each step's 16-byte store overlaps the next step's load by four bytes;
        // loading the next pixels before storing keeps the load from waiting on
        // the store (a partly overlapping load cannot be forwarded from it).
        __m128i next = vectorWidth ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(d)) : zero;
        for (; x < vectorWidth; x += 4) {
            const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4 * x));
            const __m128i dst = next;
            if (x + 4 < vectorWidth)
                next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 3 * x + 12));
            const __m128i pa = _mm_shuffle_epi8(px, alphas);
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(pa, zero)) == 0xFFFF)
                continue; // four fully transparent pixels leave the target as it is
            const __m128i pc = _mm_shuffle_epi8(px, colours);
            const __m128i dLo = _mm_unpacklo_epi8(dst, zero), dHi = _mm_unpackhi_epi8(dst, zero);
            const __m128i rLo =
                _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(pc, zero), dLo),
                                                             _mm_unpacklo_epi8(pa, zero)),
                                             _mm_slli_epi16(dLo, 8)),
                               8);
            const __m128i rHi =
                _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(pc, zero), dHi),
                                                             _mm_unpackhi_epi8(pa, zero)),
                                             _mm_slli_epi16(dHi, 8)),
                               8);
            // The last four bytes belong to the next pixel: written back unchanged.
            const __m128i out =
                _mm_or_si128(_mm_andnot_si128(keep, _mm_packus_epi16(rLo, rHi)), _mm_and_si128(keep, dst));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 3 * x), out);
        }
        BlendPixels<3>(d + 3 * x, p + 4 * x, width - x);
    }
}

bool HasSsse3() {
    // The processor is asked once; cpu_init makes sure the runtime has read it.
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") != 0;
    }();
    return has;
}
#endif

} // namespace

void BlendBitmap32(MutableImageView target, const ImageView& picture) {
    if (target.bits == nullptr || picture.bits == nullptr || picture.bytesPerPixel != 4) {
        return;
    }
    const int width = std::min(target.width, picture.width);
    const int height = std::min(target.height, picture.height);
    if (width <= 0 || height <= 0) {
        return;
    }
    if (target.bytesPerPixel == 3) {
#ifdef ORVALIS_BLEND_SSSE3
        if (HasSsse3()) {
            BlendRows24Ssse3(target, picture, width, height);
            return;
        }
#endif
        BlendRows<3>(target, picture, width, height);
    } else if (target.bytesPerPixel == 4) {
        BlendRows<4>(target, picture, width, height);
    }
}

} // namespace core
