# Read after the platform's rules (see mingw-w64-clang.cmake), once per
# language: GCC's C++ library and libgcc's thread-local storage need
# winpthread, which clang's MinGW driver does not link; they follow the
# objects and the system libraries.
if(NOT CMAKE_C_STANDARD_LIBRARIES_INIT MATCHES "-lpthread")
  string(APPEND CMAKE_C_STANDARD_LIBRARIES_INIT " -lgcc_eh -lpthread")
endif()
if(NOT CMAKE_CXX_STANDARD_LIBRARIES_INIT MATCHES "-lpthread")
  string(APPEND CMAKE_CXX_STANDARD_LIBRARIES_INIT " -lstdc++ -lgcc_eh -lpthread")
endif()
