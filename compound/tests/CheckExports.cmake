# Fails unless every dynamic symbol that LIBRARY defines belongs to
# CInterfaceOle (its members, vtable and typeinfo) and the members the
# program calls are all there. Run with
#   cmake -DNM=nm -DLIBRARY=libbooklift.so -P CheckExports.cmake
execute_process(COMMAND ${NM} -D --defined-only -C ${LIBRARY}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" lines "${symbols}")
set(exported 0)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES " (CInterfaceOle::|(vtable|typeinfo|typeinfo name) for CInterfaceOle$)")
    message(FATAL_ERROR "booklift exports more than CInterfaceOle: ${line}")
  endif()
  math(EXPR exported "${exported} + 1")
endforeach()
# The members the program binds to, by their exact names.
foreach(member SetFileNameSrc ParseFile GetParseError AnalizeFileStructureOle
               CopyWorkbook GetStreamDamage GetDataContainerOle)
  if(NOT symbols MATCHES "CInterfaceOle::${member}\\(")
    message(FATAL_ERROR "booklift does not export CInterfaceOle::${member}")
  endif()
endforeach()
message(STATUS "booklift exports ${exported} CInterfaceOle symbols and nothing else")
