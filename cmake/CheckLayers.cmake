# Fails when a source file includes a project header, or a library links a project library,
# against the layers. Layers from the bottom (the number); a folder includes and links only
# its own folder and folders of lower layers. A sub-folder belongs to its folder's layer unless
# it is listed itself, then the longest listed folder counts. Tools, tests and benchmarks stand
# outside the layers.
# Run: cmake -DSOURCE_DIR=<top folder> -DLINKS_FILE=<build>/layer-links.cmake -P CheckLayers.cmake
# (the build writes LINKS_FILE with cmake/LayerLinks.cmake).
set(layers
    platform=0
    catalogue=1 settings=1
    list=2
    documents=3 printing=3 info=3
    search=4
    app=5)

set(folders "")
foreach(entry IN LISTS layers)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 folder)
    list(GET pair 1 layer_${folder})
    list(APPEND folders ${folder})
endforeach()

# The listed folder that `path` (relative to SOURCE_DIR) belongs to, or "" for none.
function(layer_folder path result)
    set(found "")
    foreach(folder IN LISTS folders)
        string(LENGTH "${folder}" length)
        string(LENGTH "${found}" foundLength)
        if((path STREQUAL folder OR path MATCHES "^${folder}/") AND length GREATER foundLength)
            set(found ${folder})
        endif()
    endforeach()
    set(${result} "${found}" PARENT_SCOPE)
endfunction()

# Appends a violation when `from` may not use `to` (both listed folders or "").
function(check from to text)
    if(from STREQUAL "" OR to STREQUAL "" OR from STREQUAL to)
        return()
    endif()
    if(NOT layer_${to} LESS layer_${from})
        set(violations ${violations} "${text}" PARENT_SCOPE)
    endif()
endfunction()

if(NOT DEFINED LINKS_FILE OR NOT EXISTS "${LINKS_FILE}")
    message(FATAL_ERROR "No list of the targets' libraries: LINKS_FILE=${LINKS_FILE}")
endif()

set(violations "")
set(sources "")
foreach(folder IN LISTS folders)
    if(NOT folder MATCHES "/") # sub-folders are found with their folder
        file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
             ${SOURCE_DIR}/${folder}/*.cpp)
        list(APPEND sources ${found})
    endif()
endforeach()
foreach(source IN LISTS sources)
    get_filename_component(directory ${source} DIRECTORY)
    layer_folder("${directory}" from)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)/[^/\"]*\".*$" "\\1" included "${line}")
        layer_folder("${included}" to)
        string(STRIP "${line}" line)
        check("${from}" "${to}" "${source}: ${line}")
    endforeach()
endforeach()

include(${LINKS_FILE})
foreach(target IN LISTS targets)
    layer_folder("${folder_of_${target}}" from)
    foreach(library IN LISTS links_of_${target})
        if(NOT DEFINED folder_of_${library})
            continue() # not the project's: Qt, Poppler, ...
        endif()
        layer_folder("${folder_of_${library}}" to)
        check("${from}" "${to}" "${folder_of_${target}}/CMakeLists.txt: ${target} links ${library}")
    endforeach()
endforeach()

if(violations)
    foreach(violation IN LISTS violations)
        message(NOTICE "Against the layers: ${violation}")
    endforeach()
    list(LENGTH violations count)
    message(FATAL_ERROR "${count} includes or links against the layers")
endif()
message(STATUS "Layers kept")
