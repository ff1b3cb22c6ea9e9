// The one place where text changes encoding. The model keeps text from the
// file as UTF-16 (std::u16string); the terminal, settings file and paths use
// UTF-8. Malformed input never throws: bad sequences become U+FFFD.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Paths handed around as UTF-16 text (the model's form) and back.
std::filesystem::path PathFromText(std::u16string_view text);
std::u16string TextFromPath(const std::filesystem::path& path);
