# ASan + UBSan for the whole tree. Any report aborts the process so that
# CTest counts it as a failure.
if(MENDWELL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
