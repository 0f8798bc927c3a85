#include "AlphaBlend.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORVALIS_BLEND_SIMD 1
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

#ifdef ORVALIS_BLEND_SIMD
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

// The 24-bit pixels x..x+3 in the low lane and x+4..x+7 in the high lane, with
// the four bytes after each run.
__attribute__((target("avx2"))) inline __m256i LoadTargetLanes(const uint8_t* d) {
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(d))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 12)), 1);
}

// Eight pixels a step, as two runs of four in the two 128-bit lanes, so that
// the byte shuffles of the four-pixel step serve each lane unchanged. The
// same integers as BlendChannel, in 16-bit lanes as above.
__attribute__((target("avx2"))) void BlendRows24Avx2(MutableImageView target, const ImageView& picture,
                                                     int width, int height) {
    const __m256i colours = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2,
                                             4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i alphas = _mm256_setr_epi8(3, 3, 3, 7, 7, 7, 11, 11, 11, 15, 15, 15, -1, -1, -1, -1, 3, 3, 3,
                                            7, 7, 7, 11, 11, 11, 15, 15, 15, -1, -1, -1, -1);
    // The last four bytes of each lane belong to the pixels after its four.
    const __m256i keep = _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1, 0, 0, 0, 0, 0,
                                          0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1);
    const __m256i zero = _mm256_setzero_si256();
    // A step reads 16 target bytes from pixel x + 4 on, so it needs x + 10 <= width.
    const int vectorWidth = width >= 10 ? ((width - 10) / 8 + 1) * 8 : 0;
    for (int y = 0; y < height; ++y) {
        uint8_t* d = target.bits + y * target.stride;
        const uint8_t* p = picture.bits + y * picture.stride;
        int x = 0;
        // As above, the next step's target bytes are loaded before this step's
        // stores, which they overlap by four unchanged bytes.
        __m256i next = vectorWidth ? LoadTargetLanes(d) : zero;
        for (; x < vectorWidth; x += 8) {
            const __m256i px = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 4 * x));
            const __m256i dst = next;
            if (x + 8 < vectorWidth)
                next = LoadTargetLanes(d + 3 * x + 24);
            const __m256i pa = _mm256_shuffle_epi8(px, alphas);
            if (_mm256_testz_si256(pa, pa))
                continue; // eight fully transparent pixels leave the target as it is
            const __m256i pc = _mm256_shuffle_epi8(px, colours);
            const __m256i dLo = _mm256_unpacklo_epi8(dst, zero), dHi = _mm256_unpackhi_epi8(dst, zero);
            const __m256i rLo = _mm256_srli_epi16(
                _mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(_mm256_unpacklo_epi8(pc, zero), dLo),
                                                    _mm256_unpacklo_epi8(pa, zero)),
                                 _mm256_slli_epi16(dLo, 8)),
                8);
            const __m256i rHi = _mm256_srli_epi16(
                _mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(_mm256_unpackhi_epi8(pc, zero), dHi),
                                                    _mm256_unpackhi_epi8(pa, zero)),
                                 _mm256_slli_epi16(dHi, 8)),
                8);
            const __m256i out = _mm256_blendv_epi8(_mm256_packus_epi16(rLo, rHi), dst, keep);
            // The first lane's last four bytes are the second lane's first
            // pixel as it was; the second store puts the new one over them.
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 3 * x), _mm256_castsi256_si128(out));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 3 * x + 12), _mm256_extracti128_si256(out, 1));
        }
        BlendRows24Ssse3({d + 3 * x, width - x, 1, target.stride, 3},
                         {p + 4 * x, width - x, 1, picture.stride, 4}, width - x, 1);
    }
}

#endif

BlendPath BestPath() noexcept {
    // The processor is asked once.
    static const BlendPath best = [] {
#ifdef ORVALIS_BLEND_SIMD
        __builtin_cpu_init(); // makes sure the runtime has asked the processor
        if (__builtin_cpu_supports("avx2"))
            return BlendPath::Avx2;
        if (__builtin_cpu_supports("ssse3"))
            return BlendPath::Ssse3;
#endif
        return BlendPath::Scalar;
    }();
    return best;
}

} // namespace

bool BlendPathAvailable(BlendPath path) noexcept {
    return path <= BestPath();
}

void BlendBitmap32(MutableImageView target, const ImageView& picture) {
    BlendBitmap32(target, picture, BestPath());
}

void BlendBitmap32(MutableImageView target, const ImageView& picture, BlendPath path) {
    if (target.bits == nullptr || picture.bits == nullptr || picture.bytesPerPixel != 4) {
        return;
    }
    const int width = std::min(target.width, picture.width);
    const int height = std::min(target.height, picture.height);
    if (width <= 0 || height <= 0) {
        return;
    }
    if (target.bytesPerPixel == 4) {
        BlendRows<4>(target, picture, width, height);
        return;
    }
    if (target.bytesPerPixel != 3) {
        return;
    }
    switch (path) {
#ifdef ORVALIS_BLEND_SIMD
    case BlendPath::Avx2:
        BlendRows24Avx2(target, picture, width, height);
        return;
    case BlendPath::Ssse3:
        BlendRows24Ssse3(target, picture, width, height);
        return;
#endif
    default:
        BlendRows<3>(target, picture, width, height);
    }
}

} // namespace core
