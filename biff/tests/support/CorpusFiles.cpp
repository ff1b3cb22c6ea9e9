#include "biff/tests/support/CorpusFiles.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace corpus {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::map<std::string, std::set<std::string>> ReadFeatures(const fs::path& manifest) {
    std::map<std::string, std::set<std::string>> features;
    std::ifstream in(manifest);
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        const std::vector<std::string> columns = SplitTabs(line);
        // file, set, ..., features is column 11; the wild files' tags are not wanted
        if (columns.size() <= 10 || columns[1] != "xls") continue;
        std::set<std::string>& tags = features[columns[0]];
        std::stringstream list(columns[10]);
        for (std::string tag; std::getline(list, tag, ',');) tags.insert(tag);
    }
    return features;
}

std::set<std::string> FilesTagged(const fs::path& manifest, const std::string& tag) {
    std::set<std::string> files;
    for (const auto& [file, tags] : ReadFeatures(manifest))
        if (tags.count(tag)) files.insert(file);
    return files;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> columns;
    std::string::size_type from = 0;
    for (;;) {
        const auto tab = line.find('\t', from);
        columns.push_back(line.substr(from, tab - from));
        if (tab == std::string::npos) return columns;
        from = tab + 1;
    }
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char next = text[++i];
        out.push_back(next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next);
    }
    return out;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::vector<DumpRow> ParseDumpRows(const std::string& text) {
    std::vector<DumpRow> rows;
    std::string::size_type from = 0;
    while (from < text.size()) {
        auto end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::vector<std::string> columns = SplitTabs(text.substr(from, end - from));
        from = end + 1;
        if (columns.size() != 6) continue;
        rows.push_back({std::move(columns[0]), std::move(columns[1]),
                        static_cast<std::uint32_t>(std::strtoul(columns[2].c_str(), nullptr, 10)),
                        static_cast<std::uint32_t>(std::strtoul(columns[3].c_str(), nullptr, 10)),
                        std::move(columns[4]), std::move(columns[5])});
    }
    return rows;
}

DumpCells ParseDumpCells(const std::string& text) {
    DumpCells cells;
    for (DumpRow& row : ParseDumpRows(text)) {
        auto key = std::make_tuple(row.sheet, row.row, row.column);
        cells[std::move(key)] = std::move(row);
    }
    return cells;
}

std::vector<DumpRow> ReadTruth(const fs::path& corpus, const fs::path& file) {
    return ParseDumpRows(ReadAll(corpus / "truth" / (file.stem().string() + ".tsv")));
}

}  // namespace corpus
