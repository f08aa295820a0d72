# Runs one end-to-end game: copies GAME_DIR to WORK_DIR/game (without expected/ and args),
# runs "TAVRO --headless [args] <copy>", then checks the exit status and every file under
# expected/ against the run folder.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
set(run_dir ${WORK_DIR}/game)
file(MAKE_DIRECTORY ${run_dir})
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${GAME_DIR} ${GAME_DIR}/*)
foreach(entry ${entries})
    if(NOT entry STREQUAL "expected" AND NOT entry STREQUAL "args")
        file(COPY ${GAME_DIR}/${entry} DESTINATION ${run_dir})
    endif()
endforeach()

set(arguments --headless)
if(EXISTS ${GAME_DIR}/args)
    file(READ ${GAME_DIR}/args text)
    string(STRIP "${text}" text)
    separate_arguments(extra UNIX_COMMAND "${text}")
    list(APPEND arguments ${extra})
endif()

# A game with audio checks plays the generated sounds and records its mix.
set(audio_checks ${GAME_DIR}/expected/audio_checks.txt)
if(EXISTS ${audio_checks})
    execute_process(COMMAND ${AUDIO_TOOL} assets ${run_dir} RESULT_VARIABLE made)
    if(made)
        message(FATAL_ERROR "the generated sounds could not be written to ${run_dir}")
    endif()
    list(APPEND arguments --audio-out ${WORK_DIR}/audio.wav)
endif()

# Options that name files (--input) are relative to the test's source folder.
execute_process(COMMAND ${TAVRO} ${arguments} ${run_dir}
    WORKING_DIRECTORY ${GAME_DIR}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
message(STATUS "tavro ${arguments}: exit ${status}\n${output}${errors}")

set(expected_status 0)
if(EXISTS ${GAME_DIR}/expected/exit_code)
    file(READ ${GAME_DIR}/expected/exit_code expected_status)
    string(STRIP "${expected_status}" expected_status)
endif()
set(failures "")
if(NOT status STREQUAL expected_status)
    string(APPEND failures "exit status ${status}, expected ${expected_status}\n")
endif()

# expected/stderr.txt, when present, is what the run must print on standard error (the
# dialog lines of the headless host, notes and errors).
# A machine without a soundfont says so once; that line is no part of what a game prints.
if(EXISTS ${GAME_DIR}/expected/stderr.txt)
    string(REGEX REPLACE "tavro: [^\n]*the game runs without music\n" "" errors "${errors}")
    file(READ ${GAME_DIR}/expected/stderr.txt wanted_errors)
    if(NOT errors STREQUAL wanted_errors)
        string(APPEND failures "standard error differs:\n  expected: ${wanted_errors}\n  actual:   ${errors}\n")
    endif()
endif()

file(GLOB_RECURSE expected_files RELATIVE ${GAME_DIR}/expected ${GAME_DIR}/expected/*)
if(EXISTS ${audio_checks})
    execute_process(COMMAND ${AUDIO_TOOL} check ${WORK_DIR}/audio.wav ${audio_checks}
        RESULT_VARIABLE differs
        OUTPUT_VARIABLE audio_failures)
    if(differs)
        string(APPEND failures "audio:\n${audio_failures}")
    endif()
endif()

foreach(name ${expected_files})
    if(name STREQUAL "exit_code" OR name STREQUAL "stderr.txt" OR name STREQUAL "audio_checks.txt")
        continue()
    endif()
    if(NOT EXISTS ${run_dir}/${name})
        string(APPEND failures "${name}: not written\n")
        continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
            ${GAME_DIR}/expected/${name} ${run_dir}/${name}
        RESULT_VARIABLE differs)
    if(differs)
        file(READ ${run_dir}/${name} actual HEX)
        file(READ ${GAME_DIR}/expected/${name} wanted HEX)
        string(APPEND failures "${name}: differs\n  expected ${wanted}\n  actual   ${actual}\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "game ${GAME_DIR}:\n${failures}")
endif()
