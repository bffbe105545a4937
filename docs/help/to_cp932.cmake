# Converts one help source from UTF-8 to code page 932 (Shift_JIS), the code page HTML Help
# reads a Japanese help file's project, contents and index in; a page's charset declaration is
# changed to match. Fails on a character that code page 932 cannot hold.
# Usage: cmake -DICONV=<iconv> -DSOURCE=<file> -DOUTPUT=<file> -P to_cp932.cmake
file(READ "${SOURCE}" text)
string(REPLACE "charset=UTF-8" "charset=Shift_JIS" text "${text}")
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(WRITE "${OUTPUT}.utf8" "${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${OUTPUT}.utf8"
  OUTPUT_FILE "${OUTPUT}" ERROR_VARIABLE error RESULT_VARIABLE result)
file(REMOVE "${OUTPUT}.utf8")
if(NOT result EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "${SOURCE}: cannot be written in code page 932: ${error}")
endif()
