#include "platform/Uuid.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <random>

namespace {

// Fills the bytes from the system's random source; false when that source
// is not available (the constructor or the draw threw).
bool FillFromRandomDevice(Uuid::Bytes16& bytes) {
    try {
        std::random_device device;
        for (std::size_t i = 0; i < bytes.size(); i += 4) {
            const std::uint32_t word = device();
            for (std::size_t k = 0; k < 4; ++k)
                bytes[i + k] = static_cast<std::uint8_t>(word >> (8 * k));
        }
        return true;
    } catch (...) {
        return false;
    }
}

void FillFromFallback(Uuid::Bytes16& bytes) {
    static std::atomic<std::uint64_t> calls{0};
    const auto now = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                       static_cast<std::uint32_t>(::getpid()),
                       static_cast<std::uint32_t>(++calls)};
    std::mt19937_64 generator(seed);
    for (std::size_t i = 0; i < bytes.size(); i += 8) {
        const std::uint64_t word = generator();
        for (std::size_t k = 0; k < 8; ++k)
            bytes[i + k] = static_cast<std::uint8_t>(word >> (8 * k));
    }
}

}  // namespace

Uuid Uuid::NewRandom() {
    Bytes16 bytes{};
    if (!FillFromRandomDevice(bytes)) FillFromFallback(bytes);
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // variant 10
    return Uuid(bytes);
}

void Uuid::AppendHex(std::string& out, std::uint8_t byte, ELetterCase letters) {
    const char* digits = letters == ELetterCase::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    out.push_back(digits[byte >> 4]);
    out.push_back(digits[byte & 0x0F]);
}

std::string Uuid::ToString(ELetterCase letters) const {
    std::string out;
    out.reserve(36);
    for (std::size_t i = 0; i < m_bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) out.push_back('-');
        AppendHex(out, m_bytes[i], letters);
    }
    return out;
}
