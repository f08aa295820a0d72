# Records a game's scripted session and replays the recording: runs
# "TAVRO --headless [args] --record recorded.txt <copy>", then a fresh copy with only
# "--input recorded.txt --seed N" (N read from the recording's "# seed" line), and checks that
# both runs wrote every file under expected/ (exit_code and stderr.txt aside) byte for byte.
# The session must end by itself (close or F4), since the replay has no frame limit.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
# The player's own settings file stays out of the tests.
set(ENV{XDG_CONFIG_HOME} ${WORK_DIR}/config)
set(recording ${WORK_DIR}/recorded.txt)

# Copies the game (without expected/ and args) into WORK_DIR/<name> and runs tavro there.
function(run_copy name)
    set(run_dir ${WORK_DIR}/${name})
    file(MAKE_DIRECTORY ${run_dir})
    file(GLOB entries RELATIVE ${GAME_DIR} ${GAME_DIR}/*)
    foreach(entry ${entries})
        if(NOT entry STREQUAL "expected" AND NOT entry STREQUAL "args")
            file(COPY ${GAME_DIR}/${entry} DESTINATION ${run_dir})
        endif()
    endforeach()
    execute_process(COMMAND ${TAVRO} --headless ${ARGN} ${run_dir}
        WORKING_DIRECTORY ${GAME_DIR}
        RESULT_VARIABLE status
        OUTPUT_VARIABLE output
        ERROR_VARIABLE errors)
    message(STATUS "tavro --headless ${ARGN}: exit ${status}\n${output}${errors}")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${name}: exit status ${status}")
    endif()
endfunction()

file(READ ${GAME_DIR}/args text)
string(STRIP "${text}" text)
separate_arguments(arguments UNIX_COMMAND "${text}")
run_copy(recorded ${arguments} --record ${recording})

file(STRINGS ${recording} seed_lines REGEX "^# seed [0-9]+$")
list(LENGTH seed_lines seed_line_count)
if(NOT seed_line_count EQUAL 1)
    message(FATAL_ERROR "the recording has ${seed_line_count} seed lines, not one")
endif()
string(REGEX REPLACE "^# seed " "" seed "${seed_lines}")
run_copy(replayed --input ${recording} --seed ${seed})

set(failures "")
file(GLOB_RECURSE expected_files RELATIVE ${GAME_DIR}/expected ${GAME_DIR}/expected/*)
list(REMOVE_ITEM expected_files exit_code stderr.txt)
foreach(name ${expected_files})
    foreach(run recorded replayed)
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                ${GAME_DIR}/expected/${name} ${WORK_DIR}/${run}/${name}
            RESULT_VARIABLE differs)
        if(differs)
            string(APPEND failures "${run}: ${name} differs from expected/${name}\n")
        endif()
    endforeach()
endforeach()
if(failures)
    file(READ ${recording} recorded_text)
    message(FATAL_ERROR "game ${GAME_DIR}:\n${failures}the recording:\n${recorded_text}")
endif()
