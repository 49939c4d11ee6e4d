// Vector blocks of the 16-bit packed RGB kernels (included by rgb16_rows.inl
// inside its level namespace only when the level has vector code).
#pragma once
namespace qrx::rgb16::QRX_LEVEL::vec {
template <class Px>
int c3(const std::uint8_t*, std::uint16_t*, int, int) { return 0; }
template <class Px>
int c2(const std::uint8_t*, std::uint16_t*, int, int) { return 0; }
template <class Px, int Shift, bool Round>
int planes(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, std::uint16_t*, int, int) { return 0; }
}
