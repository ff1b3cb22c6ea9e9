// The shared corpus as the corpus tests read it: its folders and how many
// files each holds, the feature tags of MANIFEST.tsv, and the rows of the
// truth dumps (and of our own cell dumps, which share their layout).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/tests/support/SharedData.h"

namespace corpus {

// Files in corpus/xls and corpus/wild: every test that walks a folder
// checks that it saw all of them, so that a lost or unreadable folder fails
// instead of passing on fewer files.
constexpr std::size_t kXlsFiles = 511;
constexpr std::size_t kWildFiles = 34;

// The regular files of a folder, in name order; empty when it cannot be read.
std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder);

// File name -> feature tags (MANIFEST.tsv's "features" column), files of
// corpus/xls only.
std::map<std::string, std::set<std::string>> ReadFeatures(const std::filesystem::path& manifest);

// Names of the manifest's files whose features hold tag.
std::set<std::string> FilesTagged(const std::filesystem::path& manifest, const std::string& tag);

// The columns of a TAB-separated line.
std::vector<std::string> SplitTabs(const std::string& line);

// A dump's sheet names and values escape \\, \t, \n and \r.
std::string Unescape(const std::string& text);

// A whole file as bytes; empty when it cannot be read.
std::string ReadAll(const std::filesystem::path& path);

// One cell line of a dump: sheet position, sheet name, row, column, type
// word, value; names and values still escaped.
struct DumpRow {
    std::string position;
    std::string sheet;
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    std::string type;
    std::string value;
};

// The lines of six columns. Lines end at LF only: a value may hold other
// control characters (CR among them) raw.
std::vector<DumpRow> ParseDumpRows(const std::string& text);

// The same rows by (sheet name, row, column), the name still escaped; a
// later row for a cell replaces an earlier one.
using DumpCells = std::map<std::tuple<std::string, std::uint32_t, std::uint32_t>, DumpRow>;
DumpCells ParseDumpCells(const std::string& text);

// The truth dump of a corpus file (corpus/truth/STEM.tsv).
std::vector<DumpRow> ReadTruth(const std::filesystem::path& corpus,
                               const std::filesystem::path& file);

}  // namespace corpus
