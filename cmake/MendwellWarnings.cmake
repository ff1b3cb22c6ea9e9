# Warnings that every target of ours builds with; third-party headers are
# included as system headers and stay quiet.
add_library(mendwell_warnings INTERFACE)
target_compile_options(mendwell_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)
