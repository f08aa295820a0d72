# The player's volumes: runs the game in GAME_DIR (a sound effect from 161 to 661 ms, a MIDI
# song from 801 to 2401 ms, wave music from 2881 ms) at full volume, with the effects at half
# (from its half.ini settings file), the music at half (--music-volume 50) and both at 0, and
# compares the RMS levels of the --audio-out recordings with the full one's: each part at half
# volume is 0.5 of full within 5 %, the others unchanged, and at 0 all is silent. Without a
# soundfont the song is not compared.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
set(ENV{XDG_CONFIG_HOME} ${WORK_DIR}/config)
set(no_music FALSE)
function(run_at name)
    set(run_dir ${WORK_DIR}/${name})
    file(MAKE_DIRECTORY ${run_dir})
    file(COPY ${GAME_DIR}/boot ${GAME_DIR}/main.scr DESTINATION ${run_dir})
    execute_process(COMMAND ${AUDIO_TOOL} assets ${run_dir})
    execute_process(COMMAND ${TAVRO} --headless --frames 220 --audio-out ${WORK_DIR}/${name}.wav
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
run_at(effects_half --settings half.ini)
run_at(music_half --music-volume 50)
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
compare(effects_half 200 600 0.5)
compare(effects_half 2950 3500 1)
compare(music_half 200 600 1)
compare(music_half 2950 3500 0.5)
if(NOT no_music)
    compare(effects_half 1000 2300 1)
    compare(music_half 1000 2300 0.5)
endif()
compare(silent 0 3600 0)
if(failures)
    message(FATAL_ERROR "volumes:\n${failures}")
endif()
