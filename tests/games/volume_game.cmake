# The player's volumes: runs the game in GAME_DIR (sound effects from 161 to 661 ms, music from
# 801 to 2401 ms) at full volume, at half (effects from its half.ini settings file, music from
# --music-volume 50) and at 0, and compares the RMS levels of the --audio-out recordings:
# half must be 0.5 of full within 5 %, 0 silent. Without a soundfont the music is not compared.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
set(ENV{XDG_CONFIG_HOME} ${WORK_DIR}/config)
set(no_music FALSE)
function(run_at name)
    set(run_dir ${WORK_DIR}/${name})
    file(MAKE_DIRECTORY ${run_dir})
    file(COPY ${GAME_DIR}/boot ${GAME_DIR}/main.scr DESTINATION ${run_dir})
    execute_process(COMMAND ${AUDIO_TOOL} assets ${run_dir})
    execute_process(COMMAND ${TAVRO} --headless --frames 160 --audio-out ${WORK_DIR}/${name}.wav
            ${ARGN} ${run_dir}
        WORKING_DIRECTORY ${GAME_DIR}
        RESULT_VARIABLE status
        ERROR_VARIABLE errors)
    message(STATUS "tavro ${ARGN}: exit ${status}\n${errors}")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${name}: exit status ${status}")
    endif()
    if(errors MATCHES "the game runs without music")
        set(no_music TRUE PARENT_SCOPE)
    endif()
endfunction()
run_at(full)
run_at(half --settings half.ini --music-volume 50)
run_at(silent --music-volume 0 --effects-volume 0)

set(failures "")
function(compare scaled from to ratio)
    execute_process(COMMAND ${AUDIO_TOOL} ratio ${WORK_DIR}/full.wav ${WORK_DIR}/${scaled}.wav
            ${from} ${to} ${ratio}
        RESULT_VARIABLE differs
        OUTPUT_VARIABLE report)
    message(STATUS "${scaled}: ${report}")
    if(differs)
        set(failures "${failures}${scaled}: ${report}" PARENT_SCOPE)
    endif()
endfunction()
compare(half 200 600 0.5)
if(NOT no_music)
    compare(half 1000 2300 0.5)
endif()
compare(silent 0 2700 0)
if(failures)
    message(FATAL_ERROR "volumes:\n${failures}")
endif()
