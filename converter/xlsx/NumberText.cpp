#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace Xlsx {

namespace {

using u128 = unsigned __int128;

constexpr uint64_t kLow = 1000000000000000ull;   // 10^15: the smallest 16-digit number
constexpr uint64_t kHigh = 10000000000000000ull; // 10^16

// 5^k for k = 0..27, every power that fits in 64 bits.
constexpr int kMaxPower = 27;
constexpr uint64_t kPowersOf5[kMaxPower + 1] = {
    1ull, 5ull, 25ull, 125ull, 625ull, 3125ull, 15625ull, 78125ull, 390625ull, 1953125ull,
    9765625ull, 48828125ull, 244140625ull, 1220703125ull, 6103515625ull, 30517578125ull,
    152587890625ull, 762939453125ull, 3814697265625ull, 19073486328125ull, 95367431640625ull,
    476837158203125ull, 2384185791015625ull, 11920928955078125ull, 59604644775390625ull,
    298023223876953125ull, 1490116119384765625ull, 7450580596923828125ull};

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// What a cut-off fraction was worth against half a unit of the last digit kept.
enum class Rest { Zero, Below, Half, Above };

// The value m × 2^e times 10^k, split into the whole part and the dropped fraction.
// False when the exact product does not fit the 128-bit arithmetic or has more than
// 17 digits.
bool ScaledExactly(uint64_t m, int e, int k, uint64_t &whole, Rest &rest)
{
    if (k < 0 || k > kMaxPower)
        return false;
    u128 product = u128(m) * kPowersOf5[k];
    const int shift = e + k; // the remaining power of two
    if (shift >= 0) {
        if (shift > 64 || (product >> (127 - shift)) != 0)
            return false;
        product <<= shift;
        if (product >= u128(kHigh) * 10)
            return false;
        whole = uint64_t(product);
        rest = Rest::Zero;
        return true;
    }
    const int drop = -shift;
    if (drop >= 127)
        return false;
    const u128 quotient = product >> drop;
    if (quotient >= u128(kHigh) * 10)
        return false;
    const u128 fraction = product & ((u128(1) << drop) - 1);
    const u128 halfway = u128(1) << (drop - 1);
    whole = uint64_t(quotient);
    rest = fraction == 0 ? Rest::Zero
         : fraction < halfway ? Rest::Below
         : fraction == halfway ? Rest::Half
                               : Rest::Above;
    return true;
}

// The 16 significant digits of a positive finite value, correctly rounded (ties to
// even, as printf rounds), and the decimal exponent of the first digit. False for
// the magnitudes the exact arithmetic above does not reach.
bool SignificantDigits(double value, uint64_t &digits, int &exponent)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = int(bits >> 52);
    if (biased == 0)
        return false; // subnormal, far below the reach of 10^27
    const uint64_t m = (bits & ((uint64_t(1) << 52) - 1)) | (uint64_t(1) << 52);
    const int e = biased - 1075;
    // 2^b <= value < 2^(b+1), so the decimal exponent is floor(b × log10 2) or one more.
    const int b = biased - 1023;
    const int guess = (b * 78913) >> 18; // floor(b × log10 2) for |b| < 2^12
    int k = 15 - guess;
    uint64_t whole;
    Rest rest;
    if (!ScaledExactly(m, e, k, whole, rest))
        return false;
    if (whole >= kHigh) {
        // One digit too many: it joins the dropped fraction.
        const unsigned last = unsigned(whole % 10);
        whole /= 10;
        --k;
        if (last != 0 || rest != Rest::Zero)
            rest = last < 5 ? Rest::Below : last > 5 ? Rest::Above : rest == Rest::Zero ? Rest::Half : Rest::Above;
    }
    if (rest == Rest::Above || (rest == Rest::Half && (whole & 1) != 0))
        ++whole;
    if (whole == kHigh) {
        whole = kLow;
        --k;
    }
    if (whole < kLow || whole >= kHigh)
        return false;
    digits = whole;
    exponent = 15 - k;
    return true;
}

// Eight digits of a number below 10^8.
void PutEight(uint32_t value, char *out)
{
    for (int i = 6; i >= 0; i -= 2) {
        std::memcpy(out + i, kPairs + 2 * (value % 100), 2);
        value /= 100;
    }
}

// The 16 digits of a number from 10^15 to below 10^16, as two independent halves.
void PutSixteen(uint64_t value, char *out)
{
    PutEight(uint32_t(value / 100000000), out);
    PutEight(uint32_t(value % 100000000), out + 8);
}

} // namespace

size_t FormatNumber(double value, char *out)
{
    uint64_t significant;
    int exponent;
    const bool negative = std::signbit(value);
    if (!std::isfinite(value) || value == 0 || !SignificantDigits(negative ? -value : value, significant, exponent)) {
        // Zero, infinities, NaN and the far magnitudes that measurements do not reach.
        const auto result = std::to_chars(out, out + kNumberTextRoom, value, std::chars_format::general, 16);
        return size_t(result.ptr - out);
    }
    // The copies below move 16 bytes at a time, whatever the number of digits kept:
    // a fixed size is a few instructions where a variable one is a library call.
    char digits[32];
    PutSixteen(significant, digits);
    std::memset(digits + 16, '0', 16);
    int count = 16; // significant digits left once trailing zeros are dropped
    while (digits[count - 1] == '0')
        --count;

    char *at = out;
    if (negative)
        *at++ = '-';
    if (exponent >= -4 && exponent < 16) {
        if (exponent < 0) {
            // 0.000ddd
            *at++ = '0';
            *at++ = '.';
            for (int i = -1; i > exponent; --i)
                *at++ = '0';
            std::memcpy(at, digits, 16);
            at += count;
        } else {
            const int before = exponent + 1; // digits ahead of the point
            std::memcpy(at, digits, 16);
            if (count <= before) {
                at += before;
            } else {
                at[before] = '.';
                std::memcpy(at + before + 1, digits + before, 16);
                at += count + 1;
            }
        }
    } else {
        *at++ = digits[0];
        if (count > 1) {
            *at++ = '.';
            std::memcpy(at, digits + 1, 16);
            at += count - 1;
        }
        *at++ = 'e';
        *at++ = exponent < 0 ? '-' : '+';
        const int power = exponent < 0 ? -exponent : exponent;
        if (power >= 100) {
            *at++ = char('0' + power / 100);
            std::memcpy(at, kPairs + 2 * (power % 100), 2);
        } else {
            std::memcpy(at, kPairs + 2 * power, 2);
        }
        at += 2;
    }
    return size_t(at - out);
}

} // namespace Xlsx
