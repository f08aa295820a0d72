# The error-log check of a game run: the settings ask for every report, and afterwards the log
# may hold notices but no error. The log says no severity, so its lines are told apart by text:
# the first line is "log start"; a game that is not released has no bundles, whose failed
# opening at start-up is part of every such log; the notices are the bundle substitutions
# (they begin with "..."), the sound buffer failures and the music failures (a machine
# without a soundfont).

# Puts errorReport=true in front of the run folder's plain settings file "init".
function(report_every_error run_dir)
    set(settings "")
    if(EXISTS ${run_dir}/init)
        file(READ ${run_dir}/init settings)
    endif()
    file(WRITE ${run_dir}/init "errorReport=true;\n${settings}")
endfunction()

# Sets out to one line per error line of the run's errorLog.txt, or to nothing.
function(list_log_errors run_dir out)
    set(log ${run_dir}/errorLog.txt)
    set(found "")
    if(NOT EXISTS ${log})
        set(found "errorLog.txt: not written, so errorReport did not reach the settings\n")
    else()
        # Walked line by line without lists: Shift-JIS bytes may look like list syntax.
        file(READ ${log} text)
        while(NOT text STREQUAL "")
            string(FIND "${text}" "\n" end)
            if(end EQUAL -1)
                set(line "${text}")
                set(text "")
            else()
                string(SUBSTRING "${text}" 0 ${end} line)
                math(EXPR end "${end} + 1")
                string(SUBSTRING "${text}" ${end} -1 text)
            endif()
            if(NOT line MATCHES "^(001 : log start|[0-9]+ : (.*\\[package\\.(ani|scr|tsk)\\] -rb|\\.\\.\\..*|SoundBuffer|Duplicate|DireceMusic(Performance|Loader|Segment)))$")
                string(APPEND found "errorLog.txt: ${line}\n")
            endif()
        endwhile()
    endif()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()
