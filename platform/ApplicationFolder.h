// The application folder: the process's current directory when first asked,
// ending in "/". The program asks once at start-up, so that a later change
// of the current directory does not move it. It names the default folder for
// recovered files and the place of the help page.
#pragma once

#include <filesystem>

// Empty when the current directory cannot be read (it was deleted), which
// makes the names built on it relative.
std::filesystem::path ApplicationFolder();
