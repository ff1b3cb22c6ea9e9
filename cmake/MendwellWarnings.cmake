# Warnings that every target of ours builds with; third-party headers are
# included as system headers and stay quiet. -Werror is an option: a user's
# build with another compiler or optimisation level must not stop on a new
# warning, while the Makefile's builds, and so CI, turn it on.
add_library(mendwell_warnings INTERFACE)
target_compile_options(mendwell_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(MENDWELL_WERROR)
  target_compile_options(mendwell_warnings INTERFACE -Werror)
endif()
