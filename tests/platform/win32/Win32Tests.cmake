# Under Windows: the Win32 platform layer's own tests, and those of the core's
# tests that build their cases without POSIX calls and hold under Windows'
# file systems (the others make their links and processes through POSIX, or
# count on names that differ in letter case alone and on folders made
# unwritable by their permissions).
file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(vellomar_win32_tests ${WIN32_TEST_SOURCES}
  scan/CategoriesTest.cpp results/BinRecordTest.cpp
  results/ByteKeyOrderTest.cpp run/PackedTextsTest.cpp quicksearch/FolderAdmissionTest.cpp
  quicksearch/SubstringSetTest.cpp app/FileStatisticsTest.cpp platform/MomentTextTest.cpp
  support/TempTree.cpp quicksearch/NeverListFolderTest.cpp quicksearch/QuickSearchCommandsTest.cpp
  results/FilteringTest.cpp run/AgeGuardTest.cpp browsers/ScanLogTest.cpp)
target_include_directories(vellomar_win32_tests PRIVATE . ..)
target_link_libraries(vellomar_win32_tests PRIVATE vellomar_core GTest::gtest GTest::gmock
  GTest::gtest_main)
gtest_discover_tests(vellomar_win32_tests DISCOVERY_TIMEOUT 120)

# vellomar-cli.exe run whole, as its own process, by a test program of its own.
add_executable(vellomar_win32_cli_tests cli/win32/WindowsCliTest.cpp)
target_link_libraries(vellomar_win32_cli_tests PRIVATE vellomar_core GTest::gtest GTest::gmock
  GTest::gtest_main)
target_compile_definitions(vellomar_win32_cli_tests PRIVATE
  VELLOMAR_CLI_PATH="$<TARGET_FILE:vellomar-cli>")
add_dependencies(vellomar_win32_cli_tests vellomar-cli)
gtest_discover_tests(vellomar_win32_cli_tests DISCOVERY_TIMEOUT 120)
