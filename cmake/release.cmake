# The shipped program and its two packages (included by the cross build).
#
# The shipped Wrivo.exe is the very program the tests run, with its debug
# information and symbols moved into Wrivo.exe.debug beside it (a
# .gnu_debuglink names that file, so gdb and addr2line still turn a crash
# address into a function and line). The build is already optimised (-O2) and
# debug information does not change the code GCC makes, so a second compile of
# everything with other flags would only cost minutes and give the same code.
#
#   build/win32/release/Wrivo.exe         shipped program (no debug information)
#   build/win32/release/Wrivo.exe.debug   its debug information
#   build/win32/dist/Wrivo-3.7-win32.zip  portable zip
#   build/win32/dist/Wrivo-3.7-setup.exe  per-user installer
# 'make dist' copies the two packages into dist/.

# The resource compiler does not know that the manifest and icon are part of
# the resource file.
set_source_files_properties(${CMAKE_BINARY_DIR}/assets/wrivo.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/assets/wrivo.manifest;${CMAKE_SOURCE_DIR}/assets/wrivo.ico")

set(WRIVO_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(WRIVO_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(WRIVO_RELEASE_EXE ${WRIVO_RELEASE_DIR}/Wrivo.exe)
set(WRIVO_DIST_ZIP ${WRIVO_DIST_DIR}/Wrivo-${PROJECT_VERSION}-win32.zip)
set(WRIVO_DIST_SETUP ${WRIVO_DIST_DIR}/Wrivo-${PROJECT_VERSION}-setup.exe)
file(MAKE_DIRECTORY ${WRIVO_RELEASE_DIR} ${WRIVO_DIST_DIR})

add_custom_command(
  OUTPUT ${WRIVO_RELEASE_EXE} ${WRIVO_RELEASE_EXE}.debug
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:Wrivo> ${WRIVO_RELEASE_EXE}.debug
  COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${WRIVO_RELEASE_EXE}.debug
          $<TARGET_FILE:Wrivo> ${WRIVO_RELEASE_EXE}
  DEPENDS Wrivo
  COMMENT "Stripping Wrivo.exe for shipping"
  VERBATIM)

file(GLOB packaging_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/packaging/*)
add_custom_command(
  OUTPUT ${WRIVO_DIST_ZIP} ${WRIVO_DIST_SETUP}
  COMMAND ${CMAKE_SOURCE_DIR}/packaging/make-dist.sh ${WRIVO_RELEASE_EXE} ${WRIVO_DIST_DIR}
          ${PROJECT_VERSION}
  DEPENDS ${WRIVO_RELEASE_EXE} ${packaging_files} ${CMAKE_SOURCE_DIR}/tools/zip-utf8-names.py
          ${CMAKE_SOURCE_DIR}/assets/wrivo.ico
  COMMENT "Packing Wrivo-${PROJECT_VERSION}-win32.zip and Wrivo-${PROJECT_VERSION}-setup.exe"
  VERBATIM)

# Part of every build: the packages are tested like the program (a few seconds,
# and only when the program or the packaging changed).
add_custom_target(dist ALL DEPENDS ${WRIVO_DIST_ZIP} ${WRIVO_DIST_SETUP})
