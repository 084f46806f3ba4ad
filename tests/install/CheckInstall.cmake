# Installs a build into a fresh prefix and checks the installed tree: the files
# in their places, the link in bin/, the program's RUNPATH finding the board
# libraries beside it, a valid desktop entry, and a first start of the
# installed program that keeps its files in the per-user directory.
# Usage: cmake -DBUILD_DIR=... -DWORK=... -DREADELF=... -DLDD=...
#              [-DDESKTOP_VALIDATE=...] -P CheckInstall.cmake

function(run_checked)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}):\n${out}${err}")
  endif()
  set(run_out "${out}" PARENT_SCOPE)
  set(run_err "${err}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK}/prefix)
set(dir ${prefix}/lib/varotem)
file(REMOVE_RECURSE ${WORK})
run_checked(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

set(installed_files
    varotem varotem-eval libdaqlink.so libauxlink.so libdaqboard.so varotem-installed)
foreach(name IN LISTS installed_files)
  if(NOT EXISTS ${dir}/${name})
    message(FATAL_ERROR "missing ${dir}/${name}")
  endif()
endforeach()
foreach(path IN ITEMS share/applications/varotem.desktop
                      share/icons/hicolor/scalable/apps/varotem.svg
                      share/doc/varotem/daqlink.ini.example
                      share/varotem/materials/srm731.material
                      share/varotem/translations/varotem_en.qm
                      share/varotem/translations/varotem_analysis_en.qm
                      share/varotem/manual/ru/index.md
                      share/varotem/manual/en/index.md)
  if(NOT EXISTS ${prefix}/${path})
    message(FATAL_ERROR "missing ${prefix}/${path}")
  endif()
endforeach()

# bin/varotem and bin/varotem-eval: relative links, so the tree can move as a whole.
foreach(program IN ITEMS varotem varotem-eval)
  if(NOT IS_SYMLINK ${prefix}/bin/${program})
    message(FATAL_ERROR "${prefix}/bin/${program} is not a symbolic link")
  endif()
  file(READ_SYMLINK ${prefix}/bin/${program} target)
  if(NOT target STREQUAL "../lib/varotem/${program}")
    message(FATAL_ERROR "bin/${program} points to ${target}")
  endif()
endforeach()

# The program and the libraries look beside themselves and nowhere else (no
# build directory left in the installed files).
foreach(name IN ITEMS varotem varotem-eval libdaqlink.so libauxlink.so)
  run_checked(${READELF} -d ${dir}/${name})
  if(NOT run_out MATCHES "\\(RUNPATH\\)[^\n]*\\[\\$ORIGIN\\]")
    message(FATAL_ERROR "${name} lacks RUNPATH $ORIGIN:\n${run_out}")
  endif()
  string(FIND "${run_out}" "${BUILD_DIR}" leak)
  if(NOT leak EQUAL -1)
    message(FATAL_ERROR "${name} still names the build directory:\n${run_out}")
  endif()
endforeach()

# Every library resolves, ours from the install directory.
run_checked(${LDD} ${dir}/varotem)
if(run_out MATCHES "not found")
  message(FATAL_ERROR "unresolved libraries:\n${run_out}")
endif()
foreach(lib IN ITEMS libdaqlink.so libauxlink.so libdaqboard.so)
  if(NOT run_out MATCHES "${lib} => ${dir}/${lib}")
    message(FATAL_ERROR "${lib} not taken from ${dir}:\n${run_out}")
  endif()
endforeach()

# varotem-eval needs no display: it links no widget library (QtGui only for
# painting the archive's PDF report on the offscreen platform), and runs
# through its link.
run_checked(${LDD} ${dir}/varotem-eval)
if(run_out MATCHES "libQt6(Widgets|Svg)")
  message(FATAL_ERROR "varotem-eval links a window library:\n${run_out}")
endif()
run_checked(${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            ${prefix}/bin/varotem-eval --help)
if(NOT run_out MATCHES "varotem-eval calc RUN.dat" OR NOT run_out MATCHES "varotem-eval export RUN.dat")
  message(FATAL_ERROR "varotem-eval --help does not list its commands:\n${run_out}")
endif()

if(DESKTOP_VALIDATE)
  run_checked(${DESKTOP_VALIDATE} ${prefix}/share/applications/varotem.desktop)
endif()

# The installed program, started through the link as the desktop entry
# does, runs to its first chart and quits. It gets there only if it finds its
# two reference-point files (a missing one stops the start at a message), and
# these lie in the per-user directory alone: though the test may run as root
# and so could write beside the program, the marker sends it there.
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/config/Varotem)
foreach(name IN ITEMS defaultT.spl defaultL.spl)
  # An empty table: 1604 zero bytes, as the program writes one never edited.
  execute_process(COMMAND head -c 1604 /dev/zero OUTPUT_FILE ${WORK}/config/Varotem/${name})
endforeach()
run_checked(${CMAKE_COMMAND} -E env VAROTEM_STARTUP_PROBE=1 QT_QPA_PLATFORM=offscreen
            HOME=${WORK}/home XDG_CONFIG_HOME=${WORK}/config ${prefix}/bin/varotem)
if(NOT run_err MATCHES "startup: ")
  message(FATAL_ERROR "the installed program did not reach its first chart:\n${run_out}${run_err}")
endif()
# In English it finds both catalogues beside its tree (a missing one is
# reported on stderr).
run_checked(${CMAKE_COMMAND} -E env VAROTEM_STARTUP_PROBE=1 QT_QPA_PLATFORM=offscreen
            HOME=${WORK}/home XDG_CONFIG_HOME=${WORK}/config ${prefix}/bin/varotem --lang en)
if(NOT run_err MATCHES "startup: " OR run_err MATCHES "cannot be loaded")
  message(FATAL_ERROR "the installed program in English:\n${run_out}${run_err}")
endif()
file(GLOB after RELATIVE ${dir} ${dir}/*)
list(SORT after)
list(SORT installed_files)
if(NOT after STREQUAL installed_files)
  message(FATAL_ERROR "the install directory changed: ${after}")
endif()
message(STATUS "installed tree in ${prefix} checked")
