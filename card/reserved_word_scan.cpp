#include "card/reserved_word_scan.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define BRENK_AVX2_SCAN 1
#endif

namespace {

constexpr uint32_t kWordSize = 4;
// 64 bytes a step: one cache line.
constexpr uint32_t kGroupWords = 16;
static_assert(2 * kGroupWords * kWordSize <= kScanCopyOverrun, "the largest step's copy");

// The words left behind the last whole group, one by one.
template <bool kCopy>
uint32_t FinishWordByWord(const uint8_t* words, uint32_t i, uint32_t end, uint8_t* copyTo) {
    for (; i < end; ++i) {
        const uint8_t* word = words + i * kWordSize;
        if (HasReservedFirstByte(word))
            return i;
        if (kCopy)
            std::memcpy(copyTo + i * kWordSize, word, kWordSize);
    }
    return end;
}

#if defined(__SSE2__)
// The position of the first hit in a mask with a bit per byte: words hit at
// bits 0, 4, 8 ... of it.
uint32_t FirstHitWord(uint64_t mask) {
    return static_cast<uint32_t>(__builtin_ctzll(mask)) / kWordSize;
}

// With the top bit of every byte set, a first byte of 0x7F or 0xFF becomes
// 0xFF, the largest byte there is: the bytewise maximum of a group's four
// vectors holds 0xFF at a first-byte place (bytes 0, 4, 8 and 12) exactly
// when one of its sixteen words has such a first byte; the vectors one by
// one then say which.
template <bool kCopy>
uint32_t ScanSse2(const uint8_t* words, uint32_t i, uint32_t end, uint8_t* copyTo) {
    const __m128i topBits = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i allOnes = _mm_set1_epi8(static_cast<char>(0xFF));
    constexpr uint32_t kFirstBytes = 0x1111;
    for (; end - i >= kGroupWords; i += kGroupWords) {
        const auto* from = reinterpret_cast<const __m128i*>(words + i * kWordSize);
        __m128i raised[4];
        for (int v = 0; v < 4; ++v) {
            const __m128i loaded = _mm_loadu_si128(from + v);
            if (kCopy)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(copyTo + i * kWordSize) + v, loaded);
            raised[v] = _mm_or_si128(loaded, topBits);
        }
        const __m128i most =
            _mm_max_epu8(_mm_max_epu8(raised[0], raised[1]), _mm_max_epu8(raised[2], raised[3]));
        if ((static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(most, allOnes))) &
             kFirstBytes) == 0)
            continue;
        uint64_t hits = 0;
        for (int v = 0; v < 4; ++v)
            hits |=
                static_cast<uint64_t>(
                    static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(raised[v], allOnes))) &
                    kFirstBytes)
                << (16 * v);
        return i + FirstHitWord(hits);
    }
    return FinishWordByWord<kCopy>(words, i, end, copyTo);
}
#else
// Two words at a time, for any byte of 0x7F or 0xFF in them; a pair with one
// is looked at word by word.
template <bool kCopy>
uint32_t ScanPairs(const uint8_t* words, uint32_t i, uint32_t end, uint8_t* copyTo) {
    constexpr uint64_t kLowBits = 0x0101010101010101u;
    constexpr uint64_t kHighBits = 0x8080808080808080u;
    for (;;) {
        for (; end - i >= 2; i += 2) {
            uint64_t pair;
            std::memcpy(&pair, words + i * kWordSize, sizeof pair);
            const uint64_t zeroWhere7F = ~(pair | kHighBits); // bytes 0x7F and 0xFF become 0
            if (((zeroWhere7F - kLowBits) & kHighBits) != 0)
                break;
            if (kCopy)
                std::memcpy(copyTo + i * kWordSize, &pair, sizeof pair);
        }
        const uint32_t pairEnd = end - i >= 2 ? i + 2 : end;
        const uint32_t found = FinishWordByWord<kCopy>(words, i, pairEnd, copyTo);
        if (found < pairEnd || pairEnd == end)
            return found;
        i = pairEnd;
    }
}
#endif

#if defined(BRENK_AVX2_SCAN)
// The same test as ScanSse2's on 32 bytes a vector, where the processor has
// them, two groups a step.
struct Avx2Test {
    __m256i topBits;
    __m256i allOnes;

    __attribute__((target("avx2"))) Avx2Test()
        : topBits(_mm256_set1_epi8(static_cast<char>(0x80))),
          allOnes(_mm256_set1_epi8(static_cast<char>(0xFF))) {}
    __attribute__((target("avx2"))) __m256i Raised(__m256i words) const {
        return _mm256_or_si256(words, topBits);
    }
    // Bits 0, 4, 8 ... 28 for the words of a raised vector with a hit.
    __attribute__((target("avx2"))) uint32_t Hits(__m256i raised) const {
        return static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(raised, allOnes))) &
               0x11111111u;
    }
};

__attribute__((target("avx2"))) void CopyVectors(const __m256i* from, uint8_t* to, int count) {
    for (int v = 0; v < count; ++v)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to) + v, _mm256_loadu_si256(from + v));
}

template <bool kCopy>
__attribute__((target("avx2"))) uint32_t ScanAvx2(const uint8_t* words, uint32_t i, uint32_t end,
                                                  uint8_t* copyTo) {
    const Avx2Test test;
    for (; end - i >= 2 * kGroupWords; i += 2 * kGroupWords) {
        const auto* from = reinterpret_cast<const __m256i*>(words + i * kWordSize);
        __m256i raised[4];
        for (int v = 0; v < 4; ++v)
            raised[v] = test.Raised(_mm256_loadu_si256(from + v));
        if (kCopy)
            CopyVectors(from, copyTo + i * kWordSize, 4);
        const __m256i most = _mm256_max_epu8(_mm256_max_epu8(raised[0], raised[1]),
                                             _mm256_max_epu8(raised[2], raised[3]));
        if (test.Hits(most) == 0)
            continue;
        for (int v = 0;; ++v, i += 8)
            if (const uint32_t hits = test.Hits(raised[v]))
                return i + FirstHitWord(hits);
    }
    return FinishWordByWord<kCopy>(words, i, end, copyTo);
}

bool ProcessorHasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2") != 0;
    return has;
}
#endif

template <bool kCopy>
uint32_t Scan(const uint8_t* words, uint32_t i, uint32_t end, uint8_t* copyTo) {
#if defined(BRENK_AVX2_SCAN)
    if (ProcessorHasAvx2())
        return ScanAvx2<kCopy>(words, i, end, copyTo);
#endif
#if defined(__SSE2__)
    return ScanSse2<kCopy>(words, i, end, copyTo);
#else
    return ScanPairs<kCopy>(words, i, end, copyTo);
#endif
}

} // namespace

uint32_t NextReservedCandidate(const uint8_t* words, uint32_t i, uint32_t end, uint8_t* copyTo) {
    return copyTo != nullptr ? Scan<true>(words, i, end, copyTo)
                             : Scan<false>(words, i, end, nullptr);
}
