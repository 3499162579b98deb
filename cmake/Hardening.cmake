# Hardening as Debian builds its packages: the flags dpkg-buildflags gives
# with every hardening feature on (stack protector, fortified C library
# calls, format checks, read-only relocations bound at start-up; PIE is
# the compiler's default and Qt asks for it). Left out: the optimisation
# level and debug info, which the build type chooses, and the path maps,
# which only make builds reproducible and would tie the compiler cache to
# one source folder.
#
# Off in sanitizer builds (fortified calls bypass the sanitizers' checks)
# and without optimisation (fortification needs it). Where dpkg-buildflags
# is missing (package dpkg-dev) the build goes on without it and says so.
option(JOTWEL_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ON)

function(jotwel_debian_flags variable out)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=hardening=+all"
            ${JOTWEL_DPKG_BUILDFLAGS} --get ${variable}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-buildflags --get ${variable} failed")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-g|^-O|prefix-map=")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

# JOTWEL_HARDENED tells the package test whether to expect the hardening.
set(JOTWEL_HARDENED OFF)
if(JOTWEL_HARDENING AND NOT JOTWEL_SANITIZE AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  find_program(JOTWEL_DPKG_BUILDFLAGS dpkg-buildflags)
  if(JOTWEL_DPKG_BUILDFLAGS)
    jotwel_debian_flags(CPPFLAGS cppflags)
    jotwel_debian_flags(CXXFLAGS cxxflags)
    jotwel_debian_flags(LDFLAGS ldflags)
    add_compile_options(${cppflags} ${cxxflags})
    add_link_options(${ldflags})
    set(JOTWEL_HARDENED ON)
    string(JOIN " " shown ${cppflags} ${cxxflags} ${ldflags})
    message(STATUS "Hardening: ${shown}")
  else()
    message(WARNING "dpkg-buildflags (package dpkg-dev) not found: building without hardening")
  endif()
endif()
