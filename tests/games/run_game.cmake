# Runs one end-to-end game: copies GAME_DIR to WORK_DIR/game (without expected/ and args),
# runs "TAVRO --headless [args] <copy>", then checks the exit status and every file under
# expected/ against the run folder. A game with expected/screen.png also gets the test images
# (TEST_IMAGES make) and is compared pixel for pixel with its --screenshot; with the
# environment variable TAVRO_UPDATE_REFERENCES set, the screenshot replaces the reference.
# WINDOW=ON runs the SDL host under xvfb-run instead of the headless host (same reference).
# A file "game" in GAME_DIR names a game folder elsewhere (relative to GAME_DIR): that folder
# is copied first and GAME_DIR's own files over it.
# With expected/no_errors, or CHECK_LOG=ON, the run's settings get errorReport=true and its
# errorLog.txt must hold no error line (see check_error_log.cmake). CHECK_LOG=ON runs a
# folder without args for 600 frames and compares only the exit status.
cmake_minimum_required(VERSION 3.25)

if(NOT IS_DIRECTORY ${GAME_DIR})
    message(FATAL_ERROR "no game folder ${GAME_DIR}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
# The player's own settings file stays out of the tests.
set(ENV{XDG_CONFIG_HOME} ${WORK_DIR}/config)
set(run_dir ${WORK_DIR}/game)
file(MAKE_DIRECTORY ${run_dir})

function(copy_game_files from)
    file(GLOB entries LIST_DIRECTORIES true RELATIVE ${from} ${from}/*)
    foreach(entry ${entries})
        if(NOT entry MATCHES "^(expected|args|env|game)$")
            file(COPY ${from}/${entry} DESTINATION ${run_dir})
        endif()
    endforeach()
endfunction()
if(EXISTS ${GAME_DIR}/game)
    file(READ ${GAME_DIR}/game source)
    string(STRIP "${source}" source)
    get_filename_component(source ${source} ABSOLUTE BASE_DIR ${GAME_DIR})
    copy_game_files(${source})
endif()
copy_game_files(${GAME_DIR})

if(EXISTS ${GAME_DIR}/expected/no_errors)
    set(CHECK_LOG ON)
endif()
if(CHECK_LOG)
    include(${CMAKE_CURRENT_LIST_DIR}/check_error_log.cmake)
    report_every_error(${run_dir})
endif()

set(reference ${GAME_DIR}/expected/screen.png)
set(screenshot ${WORK_DIR}/screen.png)
if(WINDOW)
    # The game's own size: the window is read back pixel for pixel.
    set(arguments --scale 1)
else()
    set(arguments --headless)
endif()
if(EXISTS ${reference})
    execute_process(COMMAND ${TEST_IMAGES} make ${run_dir} RESULT_VARIABLE made)
    if(made)
        message(FATAL_ERROR "the test images could not be made")
    endif()
    list(APPEND arguments --screenshot ${screenshot})
endif()
if(EXISTS ${GAME_DIR}/args)
    file(READ ${GAME_DIR}/args text)
    string(STRIP "${text}" text)
    separate_arguments(extra UNIX_COMMAND "${text}")
    list(APPEND arguments ${extra})
elseif(CHECK_LOG)
    list(APPEND arguments --frames 600)
endif()

# env: NAME=VALUE words set for the run only (the headless host's test-only faults).
set(launcher "")
if(EXISTS ${GAME_DIR}/env)
    file(READ ${GAME_DIR}/env text)
    string(STRIP "${text}" text)
    separate_arguments(variables UNIX_COMMAND "${text}")
    set(launcher ${CMAKE_COMMAND} -E env ${variables})
endif()
if(WINDOW)
    # The window's sound goes to SDL's silent driver: the run is about its pixels.
    list(APPEND launcher ${CMAKE_COMMAND} -E env SDL_AUDIODRIVER=dummy
        xvfb-run -a -s "-screen 0 1024x768x24")
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
execute_process(COMMAND ${launcher} ${TAVRO} ${arguments} ${run_dir}
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

# expected/stdout.txt, when present, is what the run must print on standard output (the
# report of --check).
if(EXISTS ${GAME_DIR}/expected/stdout.txt)
    file(READ ${GAME_DIR}/expected/stdout.txt wanted_output)
    if(NOT output STREQUAL wanted_output)
        string(APPEND failures "standard output differs:\n  expected: ${wanted_output}\n  actual:   ${output}\n")
    endif()
endif()

if(EXISTS ${reference})
    if(NOT EXISTS ${screenshot})
        string(APPEND failures "screen.png: no screenshot written\n")
    elseif(DEFINED ENV{TAVRO_UPDATE_REFERENCES} AND NOT WINDOW)
        file(COPY_FILE ${screenshot} ${reference})
        message(STATUS "reference updated: ${reference}")
    else()
        execute_process(COMMAND ${TEST_IMAGES} compare ${reference} ${screenshot}
            RESULT_VARIABLE differs ERROR_VARIABLE difference)
        if(differs)
            string(APPEND failures "screen.png differs from the reference:\n${difference}")
        endif()
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

if(CHECK_LOG)
    list_log_errors(${run_dir} errors_in_log)
    string(APPEND failures "${errors_in_log}")
    # A folder run for its log alone (the guide's examples) wrote a log its own expected
    # files do not foresee.
    if(NOT EXISTS ${GAME_DIR}/expected/no_errors)
        set(expected_files "")
    endif()
endif()
foreach(name ${expected_files})
    if(name MATCHES "^(exit_code|stderr.txt|stdout.txt|screen.png|audio_checks.txt|no_errors)$")
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
