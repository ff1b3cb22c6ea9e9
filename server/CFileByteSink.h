// A sink that writes a file through a large buffer. Open creates or
// truncates the file; Close flushes and reports whether every byte reached
// it. The destructor closes a file left open (without a report).
#pragma once

#include <cstdio>
#include <filesystem>
#include <vector>

#include "server/CByteSink.h"

class CFileByteSink : public CByteSink {
  public:
    CFileByteSink() = default;
    CFileByteSink(const CFileByteSink&) = delete;
    CFileByteSink& operator=(const CFileByteSink&) = delete;
    ~CFileByteSink() override;

    bool Open(const std::filesystem::path& path);
    bool Close();

    bool Write(const std::uint8_t* bytes, std::size_t n) override;
    bool Overwrite(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n) override;
    std::uint64_t Position() const override { return m_flushed + m_buffer.size(); }

  private:
    bool Flush();

    std::FILE* m_file = nullptr;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_flushed = 0;
    bool m_failed = false;
};
