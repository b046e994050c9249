# Shared part of the MinGW-w64 toolchains; the caller sets VELDER_MINGW_TRIPLE
# and CMAKE_SYSTEM_PROCESSOR.
# The posix thread model: GoogleTest needs std::mutex, which the win32 model lacks.
# With -static its thread library goes into the program, which still imports system DLLs only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VELDER_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELDER_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELDER_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELDER_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
