# Draws the artwork afresh into a scratch folder and checks that every file the generator
# writes equals the committed one byte for byte, and that no committed artwork file is left
# that the generator no longer writes.
#   cmake -DARTGEN=<generator> -DRESOURCES=<resources dir> -DSCRATCH=<empty dir> -P Redraw.cmake
cmake_minimum_required(VERSION 3.21)
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${ARTGEN} ${SCRATCH} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the artwork generator failed: ${result}")
endif()

file(GLOB_RECURSE drawn RELATIVE ${SCRATCH} ${SCRATCH}/*)
list(LENGTH drawn count)
if(count EQUAL 0)
    message(FATAL_ERROR "the artwork generator wrote nothing")
endif()
set(problems "")
foreach(file IN LISTS drawn)
    if(NOT EXISTS ${RESOURCES}/${file})
        list(APPEND problems "not committed: ${file}")
        continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${file} ${RESOURCES}/${file}
        RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        list(APPEND problems "differs: ${file}")
    endif()
endforeach()

# Every committed picture comes from the generator; the hand-written files are the .rc script
# and the templates.
file(GLOB_RECURSE committed RELATIVE ${RESOURCES}
    ${RESOURCES}/*.bmp ${RESOURCES}/*.ico ${RESOURCES}/*.picture ${RESOURCES}/*.png)
foreach(file IN LISTS committed)
    if(NOT file IN_LIST drawn)
        list(APPEND problems "no longer drawn: ${file}")
    endif()
endforeach()

if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "the committed artwork is not what the generator draws "
        "(redrawn files in ${SCRATCH}; `cmake --build --preset host --target artwork` draws them "
        "into resources/):\n  ${text}")
endif()
message(STATUS "${count} artwork files redrawn, each equal to the committed one")
