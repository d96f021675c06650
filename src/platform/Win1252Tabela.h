// The one Windows-1252 table of the project: the console (platform/Win1252.cpp)
// and the bundled simulator both build from it. Plain C++, no Qt, so the
// simulator can include it too.
#pragma once

namespace win1252 {

// Bytes 0x80-0x9F. The five bytes the code page leaves undefined map to the
// C1 control with the same number, so that every byte survives a round trip.
inline constexpr char16_t kAltos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

// The code point of one byte.
constexpr char16_t decodifica(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kAltos[byte - 0x80] : char16_t{byte};
}

// The byte of one code point, or '?' when the code page cannot hold it.
constexpr char codifica(char32_t ponto) {
    if (ponto < 0x80 || (ponto >= 0xA0 && ponto <= 0xFF))
        return static_cast<char>(ponto);
    for (int i = 0; i < 32; ++i) {
        if (kAltos[i] == ponto)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace win1252
