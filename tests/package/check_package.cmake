# Builds the Debian package with cpack (CONFIG is the build's CPackConfig.cmake), unpacks it
# into WORK_DIR/root, runs the unpacked tavro --version, checks the man page, the desktop
# entry and the author's guide are there, that the unpacked tavro --new points to that guide,
# and that the package depends on the libraries tavro links, the soundfont and the Japanese
# font.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB --config ${CONFIG} -B ${WORK_DIR}/out
    RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(failed)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB packages ${WORK_DIR}/out/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb in ${WORK_DIR}/out, found ${count}:\n${output}")
endif()

set(failures "")
execute_process(COMMAND ${DPKG_DEB} -I ${packages} OUTPUT_VARIABLE information)
message(STATUS "${information}")
execute_process(COMMAND ${DPKG_DEB} -f ${packages} Depends OUTPUT_VARIABLE depends)
foreach(wanted libsdl2-2.0-0 libsdl2-image-2.0-0 libfluidsynth libpixman-1-0 libstdc++6
        "timgm6mb-soundfont | sf2-soundfont-gm" fonts-ipafont-gothic)
    string(FIND "${depends}" "${wanted}" at)
    if(at EQUAL -1)
        string(APPEND failures "Depends lacks ${wanted}: ${depends}\n")
    endif()
endforeach()

set(root ${WORK_DIR}/root)
execute_process(COMMAND ${DPKG_DEB} -x ${packages} ${root} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "dpkg-deb -x could not unpack ${packages}")
endif()
set(guide usr/share/doc/tavro/authoring.md)
foreach(file usr/share/man/man6/tavro.6 usr/share/applications/tavro.desktop ${guide})
    if(NOT EXISTS ${root}/${file})
        string(APPEND failures "the package has no ${file}\n")
    endif()
endforeach()
execute_process(COMMAND ${root}/usr/bin/tavro --version
    RESULT_VARIABLE status OUTPUT_VARIABLE version ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT version MATCHES "^Tavro version 1\\.00")
    string(APPEND failures "usr/bin/tavro --version: exit ${status}: ${version}${errors}\n")
endif()

execute_process(COMMAND ${root}/usr/bin/tavro --new ${WORK_DIR}/new_game
    RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE errors)
string(FIND "${said}" "read ${root}/${guide} to go on" at)
if(NOT status EQUAL 0 OR at EQUAL -1)
    string(APPEND failures "usr/bin/tavro --new does not point to ${guide}: ${said}${errors}\n")
endif()

if(failures)
    message(FATAL_ERROR "${packages}:\n${failures}")
endif()
