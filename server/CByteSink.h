// Where the writer's bytes go: appended in order, with the means to
// overwrite bytes already written (the compound-file header and the sheet
// positions in BOUNDSHEET are known only later). Offsets count from the
// sink's first byte. A failed write makes every later call fail too.
#pragma once

#include <cstddef>
#include <cstdint>

class CByteSink {
  public:
    virtual ~CByteSink() = default;

    virtual bool Write(const std::uint8_t* bytes, std::size_t n) = 0;
    // Replaces n bytes at `offset`; offset + n must not pass Position().
    virtual bool Overwrite(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n) = 0;
    // Number of bytes written so far.
    virtual std::uint64_t Position() const = 0;
};
