// Preview fill time and grid size on a large sheet: 65,000 rows x 20
// columns (numbers, RK numbers, shared texts, formula results), a few
// formatted XFs, a column format and row heights, filled page by page into
// a grid store as the preview worker fills it.
//
//   cmake -S . -B build-bench -DMENDWELL_BUILD_BENCH=ON -DMENDWELL_BUILD_TESTS=OFF
//   cmake --build build-bench --target bench_preview_fill
//   build-bench/tools/bench/bench_preview_fill
#include <chrono>
#include <cstdio>
#include <string>

#include "containers/CSheetGridStore.h"
#include "containers/CSheetViewDataFiller.h"
#include "containers/tests/PreviewModel.h"

namespace {

constexpr std::uint16_t kRows = 65000;
constexpr std::uint16_t kColumns = 20;

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

void Build(testsupport::PreviewModel& model) {
    model.AddFormat(164, u"#,##0.00");
    const std::uint16_t font = model.AddFont({.name = u"Arial", .twips = 200, .color = 12});
    const std::uint16_t plain = model.AddXF({});
    const std::uint16_t money = model.AddXF({.font = font, .format = 164, .used = 0x08});
    const std::uint16_t shaded =
        model.AddXF({.used = 0x60, .patternColor = 13, .rightBorderColor = 10});
    model.ColInfo(0, 0, 3000, shaded);
    for (std::uint16_t row = 0; row < kRows; ++row) {
        if (row % 10 == 0) model.Row(row, 300);
        for (std::uint16_t column = 0; column < kColumns; ++column) {
            switch (column % 4) {
                case 0:
                    model.Number(row, column, money, row * 1.25 + column);
                    break;
                case 1:
                    model.RK(row, column, plain, (static_cast<std::uint32_t>(row) << 2) | 2u);
                    break;
                case 2:
                    model.LabelSST(row, column, shaded,
                                   model.AddString(Ascii("r" + std::to_string(row) + "c" +
                                                         std::to_string(column))));
                    break;
                default:
                    model.FormulaNumber(row, column, money, row / 3.0);
                    break;
            }
        }
    }
}

// Notes when the first page is in the grid: the preview shows it then.
class TimedFiller : public CSheetViewDataFiller {
public:
    using CSheetViewDataFiller::CSheetViewDataFiller;
    std::chrono::steady_clock::time_point firstPage{};

protected:
    void PageFilled(int page) override {
        if (page == 1) firstPage = std::chrono::steady_clock::now();
    }
};

}  // namespace

int main() {
    testsupport::PreviewModel model;
    const auto built = std::chrono::steady_clock::now();
    Build(model);
    const auto start = std::chrono::steady_clock::now();
    CSheetGridStore grid;
    TimedFiller filler(&grid, &model.Sheet(), &model.Workbook());
    filler.Fill();
    const auto end = std::chrono::steady_clock::now();
    const auto ms = [](auto d) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
    };
    std::printf("cells %u x %u, model built in %lld ms\n", kRows, kColumns,
                static_cast<long long>(ms(start - built)));
    std::printf("fill result %d, pages %d, grid %d x %d, first page %lld ms, fill %lld ms\n",
                filler.GetResult(), filler.GetPage(), grid.GetRowCount(), grid.GetColumnCount(),
                static_cast<long long>(ms(filler.firstPage - start)),
                static_cast<long long>(ms(end - start)));
    return filler.GetResult();
}
