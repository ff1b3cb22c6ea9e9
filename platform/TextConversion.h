// The one place where text changes encoding. The model keeps text from the
// file as UTF-16 (std::u16string); the terminal, settings file and paths use
// UTF-8. Malformed input never throws: bad sequences become U+FFFD.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

std::string ToUtf8(std::u16string_view text);

// True when text[i] (i < text.size()) is a surrogate that is not half of a
// pair: a high one not followed by a low one, or a low one not preceded by a
// high one. Such a unit (a string cut inside a character, bytes overwritten)
// is no character: ToUtf8 and the workbook writer put U+FFFD in its place.
bool IsUnpairedSurrogate(std::u16string_view text, std::size_t i);
// How many units of text are unpaired surrogates.
std::size_t CountUnpairedSurrogates(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Paths handed around as UTF-16 text (the model's form) and back.
std::filesystem::path PathFromText(std::u16string_view text);
std::u16string TextFromPath(const std::filesystem::path& path);
