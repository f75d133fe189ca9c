# Under Windows: the Win32 platform layer's own tests, and every core and CLI
# test except those listed below. Cases within a built file that need what
# Windows lacks or does otherwise (links under Wine, named pipes, mounts, mode
# bits, write limits, names apart by letter case alone) report themselves
# skipped there, with the reason (tests/support/Portability.h).
file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
file(GLOB WIN32_CORE_TEST_SOURCES CONFIGURE_DEPENDS
  platform/*.cpp run/*.cpp scan/*.cpp results/*.cpp quicksearch/*.cpp browsers/*.cpp app/*.cpp
  cli/*.cpp)
list(REMOVE_ITEM WIN32_CORE_TEST_SOURCES
  # The command line run whole is tested by a program of its own, below.
  ${CMAKE_CURRENT_SOURCE_DIR}/cli/CliTest.cpp
  # The package lists and trees of a POSIX system.
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/SystemFilesTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/scan/SystemFilesWalkTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/results/SystemFilesActsTest.cpp
  # The desktop's opener and its type query are the POSIX layer's own, as are
  # the shell, the program starter and the browser cache folders it reads; the
  # Win32 layer has tests of its own for those.
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/DesktopOpenerTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/ShellTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/StartProgramTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/UrlCacheTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/results/FileViewersTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/app/ExternalPagesTest.cpp
  # The POSIX layer's own: its registry in an ini file, its memory figures,
  # its read-ahead listing, its walks deeper than the open-file limit.
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/RegistryStoreTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/MemoryStatusTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/scan/ReadAheadWalkTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/DeepTreeTest.cpp
  # The POSIX layer's order is the collation library's; the Win32 layer's is
  # the system's, tested on its own.
  ${CMAKE_CURRENT_SOURCE_DIR}/results/LocaleCollationTest.cpp
  # Faults made through POSIX alone, case after case: files the kernel keeps
  # from removal, timer signals, children killed at a write or by a signal,
  # full tmpfs mounts; entries exchanged in one step and file systems mounted
  # over listed folders.
  ${CMAKE_CURRENT_SOURCE_DIR}/results/BinFaultsTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/InterruptedRemovalTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/FirstInterruptTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/cli/CliInterruptTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/results/ListedFileTest.cpp)
# Each test program runs whole, in one Wine process: starting Wine for every
# case would cost more than most cases take. A program may be cut into shards
# (GoogleTest's own), which ctest runs side by side.
function(wine_test_program program shards)
  math(EXPR last "${shards} - 1")
  foreach(shard RANGE ${last})
    add_test(NAME ${program}.${shard} COMMAND ${program})
    set_tests_properties(${program}.${shard} PROPERTIES
      ENVIRONMENT "GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${shard}")
  endforeach()
endfunction()

add_executable(vellomar_win32_tests ${WIN32_TEST_SOURCES} ${WIN32_CORE_TEST_SOURCES}
  support/TempTree.cpp support/Portability.cpp)
target_include_directories(vellomar_win32_tests PRIVATE . ..)
target_link_libraries(vellomar_win32_tests PRIVATE vellomar_cli_parts GTest::gtest GTest::gmock
  GTest::gtest_main)
wine_test_program(vellomar_win32_tests 2)

# vellomar-cli.exe run whole, as its own process, by a test program of its own.
add_executable(vellomar_win32_cli_tests cli/CliTest.cpp cli/win32/WindowsCliTest.cpp
  support/CliProgram.cpp support/win32/CliProgram.cpp support/TempTree.cpp support/Portability.cpp)
target_include_directories(vellomar_win32_cli_tests PRIVATE . ..)
target_link_libraries(vellomar_win32_cli_tests PRIVATE vellomar_core GTest::gtest GTest::gmock
  GTest::gtest_main)
target_compile_definitions(vellomar_win32_cli_tests PRIVATE
  VELLOMAR_CLI_PATH="$<TARGET_FILE:vellomar-cli>")
add_dependencies(vellomar_win32_cli_tests vellomar-cli)
wine_test_program(vellomar_win32_cli_tests 1)
