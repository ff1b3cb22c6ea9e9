// Cells per second through the workbook writer alone: a 65,536 x 10 sheet
// of numbers, of texts, and of both, written to a sink that only counts
// (the writer's own work) and to a file (with the disk). Also how fast the
// model takes the cells, for comparison.
//
//   cmake -S . -B build-bench -DMENDWELL_BUILD_BENCH=ON -DMENDWELL_BUILD_TESTS=OFF
//   cmake --build build-bench --target bench_xls_writer
//   build-bench/tools/bench/bench_xls_writer
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "server/CByteSink.h"
#include "server/CXlsWriter.h"

namespace {

constexpr std::uint32_t kRows = 65536;
constexpr std::uint32_t kColumns = 10;

enum class Content { kNumbers, kTexts, kMixed };

class CountingSink : public CByteSink {
  public:
    bool Write(const std::uint8_t*, std::size_t n) override {
        m_size += n;
        return true;
    }
    bool Overwrite(std::uint64_t, const std::uint8_t*, std::size_t) override { return true; }
    std::uint64_t Position() const override { return m_size; }

  private:
    std::uint64_t m_size = 0;
};

void Fill(CXlsWorksheet& sheet, Content content) {
    for (std::uint32_t r = 0; r < kRows; ++r) {
        for (std::uint32_t c = 0; c < kColumns; ++c) {
            const bool text = content == Content::kTexts || (content == Content::kMixed && c >= 5);
            if (!text) {
                // Not an RK value: every cell takes a full NUMBER record.
                sheet.SetNumber(r, c, r * 10.0 + c + 0.123456789);
                continue;
            }
            std::u16string t = u"Row ";
            for (char ch : std::to_string(r)) t.push_back(static_cast<char16_t>(ch));
            t += u" col ";
            t.push_back(static_cast<char16_t>(u'A' + c));
            sheet.SetText(r, c, t);
        }
    }
}

std::unique_ptr<CXlsWorkbook> MakeBook(Content content) {
    auto book = std::make_unique<CXlsWorkbook>();
    Fill(*book->AddSheet(0), content);
    return book;
}

void WriteToCountingSink(benchmark::State& state, Content content) {
    const auto book = MakeBook(content);
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        CountingSink sink;
        CXlsWriter writer(*book);
        if (!writer.Write(sink)) state.SkipWithError("write failed");
        bytes = sink.Position();
    }
    state.SetItemsProcessed(state.iterations() * kRows * kColumns);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

void BM_WriteNumbers(benchmark::State& state) {
    WriteToCountingSink(state, Content::kNumbers);
}
void BM_WriteTexts(benchmark::State& state) {
    WriteToCountingSink(state, Content::kTexts);
}
void BM_WriteMixed(benchmark::State& state) {
    WriteToCountingSink(state, Content::kMixed);
}

void BM_SaveMixedToFile(benchmark::State& state) {
    const auto book = MakeBook(Content::kMixed);
    const auto path = std::filesystem::temp_directory_path() / "mendwell-bench-writer.xls";
    for (auto _ : state) {
        CXlsWriter writer(*book);
        if (!writer.SaveAs(path)) state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows * kColumns);
    std::error_code ec;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path, ec)) / 1e6;
    std::filesystem::remove(path, ec);
}

void BM_FillModelMixed(benchmark::State& state) {
    for (auto _ : state) {
        CXlsWorkbook book;
        Fill(*book.AddSheet(0), Content::kMixed);
        benchmark::DoNotOptimize(book.SheetCount());
    }
    state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}

}  // namespace

BENCHMARK(BM_WriteNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTexts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteMixed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveMixedToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillModelMixed)->Unit(benchmark::kMillisecond);
