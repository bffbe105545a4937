# Fails when the program file is larger than LIMIT bytes; prints its size either way.
# cmake -DPROGRAM=<file> -DLIMIT=<bytes> -P program_size.cmake
file(SIZE "${PROGRAM}" size)
message(STATUS "${PROGRAM}: ${size} bytes (limit ${LIMIT})")
if(size GREATER LIMIT)
  message(FATAL_ERROR "the program file has grown past ${LIMIT} bytes")
endif()
