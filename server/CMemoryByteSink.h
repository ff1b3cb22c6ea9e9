// A sink that keeps the bytes in memory, for tests and small outputs.
#pragma once

#include <vector>

#include "server/CByteSink.h"

class CMemoryByteSink : public CByteSink {
  public:
    bool Write(const std::uint8_t* bytes, std::size_t n) override;
    bool Overwrite(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n) override;
    std::uint64_t Position() const override { return m_bytes.size(); }

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

  private:
    std::vector<std::uint8_t> m_bytes;
};
