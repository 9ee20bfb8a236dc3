# Shared build logic of the three DLLs, the host, the tests and the benchmarks.

# Text stays in code-page-932 bytes; the Windows headers are used in their ANSI form.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 STRICT)
add_compile_options(
  $<$<COMPILE_LANGUAGE:CXX>:-Wall> $<$<COMPILE_LANGUAGE:CXX>:-Wextra>
  $<$<COMPILE_LANGUAGE:CXX>:-Wno-unused-parameter> $<$<COMPILE_LANGUAGE:CXX>:-Wno-cast-function-type>)
# Everything the DLLs need is linked in: no C++ runtime or pthread DLL beside them.
add_link_options(-static -static-libgcc -static-libstdc++)

set(FERRO_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# ferro_add_dll(NAME DEF file SOURCES ... [LIBS ...])
# A DLL whose exports are exactly those of its .def file. On i686 the
# __stdcall functions keep their plain names (no @N, no underscore).
function(ferro_add_dll name)
  cmake_parse_arguments(A "" "DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${A_SOURCES} ${A_DEF})
  set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "lib")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
    # Callers reference Name@N; the import library maps that to the plain export.
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/make-import-lib.py
              --nm ${TOOLCHAIN_PREFIX}-nm --dlltool ${TOOLCHAIN_PREFIX}-dlltool
              --def ${A_DEF} --dll $<TARGET_FILE:${name}> --implib $<TARGET_LINKER_FILE:${name}>
      VERBATIM)
  endif()
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  add_test(NAME exports_${name}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-exports.py
            --objdump ${CMAKE_OBJDUMP} --def ${A_DEF} --dll $<TARGET_FILE:${name}>)
  set_tests_properties(exports_${name} PROPERTIES LABELS static)
endfunction()

# ferro_add_test_program(NAME [SERVERS] SOURCES ... [LIBS ...])
# One GoogleTest program, registered as one CTest test run under Wine. With
# SERVERS the loopback HTTP and FTP servers run beside it (with-servers.sh).
function(ferro_add_test_program name)
  cmake_parse_arguments(A "SERVERS" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ferro_test_support GTest::gtest ${A_LIBS})
  set(runner ${FERRO_WINE_RUN})
  if(A_SERVERS)
    set(runner ${CMAKE_SOURCE_DIR}/tests/support/with-servers.sh)
  endif()
  add_test(NAME ${name} COMMAND ${runner} $<TARGET_FILE:${name}> --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT 600)
endfunction()
