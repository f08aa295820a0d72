# The release end to end, on copies of GAME_DIR under WORK_DIR:
#   1. plain:    the game as it is, run for a few frames; what it saves is the reference.
#   2. released: released with one frame, then every task, script and animation source and
#                the plain settings deleted; run again, it must save exactly what plain saved.
#   3. edited:   one script edited and one task with its script deleted from the sources,
#                released over the bundles of step 2; the new release carries the edit, keeps
#                the deleted task, holds no bundle file as an entry, and runs from its bundles.
cmake_minimum_required(VERSION 3.25)

set(frames 5)
set(password plainBundle)
set(failures "")

function(copy_game to)
    file(REMOVE_RECURSE ${to})
    file(COPY ${GAME_DIR}/ DESTINATION ${to})
endfunction()

# Runs tavro headless on a folder; sets <prefix>_status and <prefix>_errors.
function(run_tavro folder frame_count prefix)
    execute_process(COMMAND ${TAVRO} --headless --frames ${frame_count} ${folder}
        RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
    message(STATUS "tavro ${folder}: exit ${status}\n${errors}")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "tavro on ${folder} ended with ${status}:\n${errors}")
    endif()
    set(${prefix}_errors "${errors}" PARENT_SCOPE)
endfunction()

# Releases a folder: asks for a release in its settings and runs one frame.
function(release folder)
    file(APPEND ${folder}/init "releasePackage=true;")
    run_tavro(${folder} 1 release)
    set(wanted "tavro: release run wrote: package.tsk package.scr package.ani package.ini\n")
    string(FIND "${release_errors}" "${wanted}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the release of ${folder} said:\n${release_errors}")
    endif()
    file(REMOVE ${folder}/log.txt)  # what the release run itself saved
endfunction()

# Leaves only what a released game ships: images, sounds, the bundles and package.ini.
function(delete_sources folder)
    file(GLOB_RECURSE sources ${folder}/*.tsk ${folder}/*.scr ${folder}/*.ani)
    list(FILTER sources EXCLUDE REGEX "/package\\.(tsk|scr|ani)$")
    file(REMOVE ${sources} ${folder}/boot ${folder}/init)
endfunction()

function(bundle_names folder kind out)
    execute_process(COMMAND ${BUNDLE_TOOL} names ${folder} ${kind} ${password}
        OUTPUT_VARIABLE names RESULT_VARIABLE status)
    if(status)
        message(FATAL_ERROR "package.${kind} of ${folder} cannot be read")
    endif()
    string(REGEX REPLACE "\n$" "" names "${names}")
    string(REPLACE "\n" ";" names "${names}")
    set(${out} "${names}" PARENT_SCOPE)
endfunction()

# 1. The reference.
set(plain ${WORK_DIR}/plain)
copy_game(${plain})
run_tavro(${plain} ${frames} plain)
file(READ ${plain}/log.txt reference)
foreach(part 100 17 4)  # the spawned task, the flyer and the walker all ran
    string(FIND "${reference}" "${part}" at)
    if(at EQUAL -1)
        string(APPEND failures "the plain run's log.txt lacks ${part}: ${reference}\n")
    endif()
endforeach()

# 2. Release, delete the sources, run from the bundles.
set(released ${WORK_DIR}/released)
copy_game(${released})
release(${released})
delete_sources(${released})
run_tavro(${released} ${frames} released)
file(READ ${released}/log.txt released_log)
if(NOT released_log STREQUAL reference)
    string(APPEND failures "the released game saved\n  ${released_log}\nbut the game saved\n  ${reference}\n")
endif()

# 3. Edit, release over the old bundles, run again.
set(edited ${WORK_DIR}/edited)
copy_game(${edited})
file(READ ${edited}/enemies/walk.scr walk)
string(REPLACE "hp+1" "hp+50" walk "${walk}")
file(WRITE ${edited}/enemies/walk.scr "${walk}")
file(REMOVE ${edited}/late/spawn.tsk ${edited}/late/spawn.scr)  # kept from the old bundles
foreach(kind tsk scr ani)
    file(COPY_FILE ${released}/package.${kind} ${edited}/package.${kind})
endforeach()
release(${edited})

execute_process(COMMAND ${BUNDLE_TOOL} text ${edited} scr ${password} enemies/walk.scr
    OUTPUT_VARIABLE bundled_walk)
if(NOT bundled_walk STREQUAL walk)
    string(APPEND failures "package.scr holds the old walk.scr: ${bundled_walk}\n")
endif()
bundle_names(${edited} tsk task_names)
foreach(name package.tsk package.scr package.ani)
    if(name IN_LIST task_names)
        string(APPEND failures "package.tsk holds an entry ${name}: ${task_names}\n")
    endif()
endforeach()
foreach(name boot enemies/walker.tsk enemies/air/flyer.tsk late/spawn.tsk)
    if(NOT name IN_LIST task_names)
        string(APPEND failures "package.tsk lacks ${name}: ${task_names}\n")
    endif()
endforeach()

delete_sources(${edited})
run_tavro(${edited} ${frames} edited)
file(READ ${edited}/log.txt edited_log)
string(FIND "${edited_log}" "53" at)  # the walker's first hp, 3 + 50
if(at EQUAL -1 OR edited_log STREQUAL reference)
    string(APPEND failures "the edited release saved\n  ${edited_log}\n")
endif()
string(FIND "${edited_log}" "100" at)
if(at EQUAL -1)
    string(APPEND failures "the edited release lost the task kept from the old bundles\n")
endif()

if(failures)
    message(FATAL_ERROR "release end to end:\n${failures}")
endif()
