# Sourced by the build scripts: distribution_flags holds the CMake options
# that build with the compiler and linker flags Debian builds its packages
# with, every hardening feature on (fortify, stack protector, relro, bindnow).
# The preprocessor's flags go with the compiler's: CMake reads no CPPFLAGS.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
distribution_flags=(
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)")
