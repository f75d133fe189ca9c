# What the Win32 platform layer builds against: the wide-character system
# calls of Windows 10, and the system libraries they lie in.
target_compile_definitions(vellomar_core PUBLIC
  UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00)
target_link_libraries(vellomar_core PUBLIC wininet shell32 ole32 advapi32 ntdll)
