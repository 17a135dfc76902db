# Shared settings for every target of the project.

# Sources are UTF-8; narrow literals are compiled as GBK, the code page every
# text of the program lives in (base/Gbk.hpp checks this at compile time).
function(velarion_target target)
  target_compile_options(${target} PRIVATE
    -finput-charset=UTF-8 -fexec-charset=GBK
    -Wall -Wextra -Wno-unused-parameter)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
      _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  endif()
endfunction()

if(WIN32)
  # No DLL beyond Windows' own. Sections start on page boundaries in the file as
  # in memory, so a loader can map the image from the file and page it in as it
  # is used; Wine reads an image with 512-byte file alignment into fresh memory
  # whole, debug sections and all (400 KB more resident for the program). What
  # nothing refers to (the runtime's unused string members) is left out.
  add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--file-alignment,4096 -Wl,--gc-sections)
endif()

# Code that waits on the user and the system (windows, handlers) is compiled for
# size in an optimised build: -O3 made it three quarters larger for no time anyone can see,
# and under Wine every byte of the program is resident. The INI engine keeps -O3.
function(velarion_small_code target)
  target_compile_options(${target} PRIVATE $<$<CONFIG:Release,RelWithDebInfo>:-Os>)
endfunction()

# The program handles no exception: none of its code throws or catches, and an
# error of the standard library ends it (app/Terminate.cpp). Under Windows its
# code is therefore built without exception handling: no clean-up paths for an
# unwinding that never happens, and in 32 bits no unwind tables (a sixth of the
# image, resident under Wine with the pages around them). A 64-bit Windows
# keeps them: its exception dispatch walks every frame by its table.
function(velarion_no_exceptions target)
  if(WIN32)
    target_compile_options(${target} PRIVATE -fno-exceptions)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
    endif()
  endif()
endfunction()

# GoogleTest: Debian's on the host; built from its source for MinGW.
function(velarion_find_gtest)
  if(TARGET GTest::gtest)
    return()
  endif()
  if(CMAKE_CROSSCOMPILING)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # googletest 1.11 and later define these aliases themselves.
    foreach(lib gtest gtest_main gmock)
      if(NOT TARGET GTest::${lib})
        add_library(GTest::${lib} ALIAS ${lib})
      endif()
    endforeach()
  else()
    find_package(GTest REQUIRED)
  endif()
endfunction()

# One test executable from the sources given; registered with ctest (under Wine
# through the cross-compiling emulator when built for Windows).
function(velarion_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  velarion_target(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gtest)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
