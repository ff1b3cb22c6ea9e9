// The program's persistent settings, kept in a UTF-8 "key=value" file
// "settings.ini" in $XDG_CONFIG_HOME/MendwellExcel/ (by default
// ~/.config/MendwellExcel/). Shared by the desktop program and the
// command-line tool.
//
// Reading: a key that is missing, whose value is empty, or whose value is
// longer than 127 UTF-16 characters reads as its default. Keys match without
// regard to ASCII case; the last line of a key wins; the value is everything
// after the first "=" up to the line end, kept as it is (spaces included) and
// cut at a NUL byte. Lines starting with "#" or ";" are comments. A damaged
// file (binary junk, lines without "=", CR LF or CR line ends, a UTF-8 BOM) is
// read as far as it makes sense; only its first 64 KiB are looked at (and a
// write keeps only those).
//
// Writing replaces the key's first line (and drops its later duplicates) or
// appends one, keeps every other line byte for byte, creates the folder, and
// replaces the file atomically (a temporary file in the same folder, then a
// rename), so a reader never sees half a file. Nothing is cached: each call
// reads the file anew. Nothing is thrown.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

enum class ESetting {
    StartUp,      // "S" single-file, "M" multiple-file; default "S"
    RecLocation,  // multiple-file output folder; default <application folder>Recovered/
    Suffix,       // appended to recovered file names; default "(Mendwell)"
    WindowPlace,  // the main window's place when it last closed (WindowPlace.h); default ""
};

class SettingsStore {
public:
    // Longest value that reads back as stored, in UTF-16 code units.
    static constexpr std::size_t kMaxValueLength = 127;

    // Uses DefaultFolder().
    SettingsStore();
    // Uses the given folder (tests, or a caller that knows better). An empty
    // folder means none: reads give the defaults and writes fail.
    explicit SettingsStore(std::filesystem::path folder);

    // $XDG_CONFIG_HOME/MendwellExcel when that variable holds an absolute
    // path; else $HOME/.config/MendwellExcel; else the same below the home
    // folder of the user's account; empty when no home can be found.
    static std::filesystem::path DefaultFolder();

    // <folder>/settings.ini, or empty when there is no folder.
    std::filesystem::path GetFilePath() const;

    std::u16string Read(ESetting setting) const;
    // False when the value holds a line break or a NUL (it could not be read
    // back from one line), when there is no folder, or when the folder or
    // file cannot be written; the file is then left as it was.
    bool Write(ESetting setting, std::u16string_view value) const;

    std::u16string ReadStartUpMode() const { return Read(ESetting::StartUp); }
    std::u16string ReadLocation() const { return Read(ESetting::RecLocation); }
    std::u16string ReadSuffix() const { return Read(ESetting::Suffix); }
    bool WriteStartUpMode(std::u16string_view mode) const { return Write(ESetting::StartUp, mode); }
    bool WriteLocation(std::u16string_view folder) const {
        return Write(ESetting::RecLocation, folder);
    }
    bool WriteSuffix(std::u16string_view suffix) const { return Write(ESetting::Suffix, suffix); }

    // The value a setting reads as when it is not usable.
    static std::u16string DefaultValue(ESetting setting);
    // The key as written in the file: "StartUp", "RecLocation", "Suffix",
    // "WindowPlace".
    static std::string_view KeyName(ESetting setting);

private:
    std::filesystem::path m_folder;
};
