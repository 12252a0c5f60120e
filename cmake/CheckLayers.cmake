# Fails when a source file includes a project header against the layers. From the bottom:
#   platform; catalogue, settings; list; documents, printing, info; app
# A folder includes only folders of lower layers and itself. Tools, tests and benchmarks stand
# outside the layers. Run: cmake -DSOURCE_DIR=<top folder> -P CheckLayers.cmake
set(layer_platform 0)
set(layer_catalogue 1)
set(layer_settings 1)
set(layer_list 2)
set(layer_documents 3)
set(layer_printing 3)
set(layer_info 3)
set(layer_app 4)
set(folders platform catalogue settings list documents printing info app)

set(violations "")
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
         ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[^\"]*\"([a-z]+)/.*$" "\\1" target "${line}")
            if(target STREQUAL folder OR NOT DEFINED layer_${target})
                continue()
            endif()
            if(NOT layer_${target} LESS layer_${folder})
                string(STRIP "${line}" line)
                list(APPEND violations "${source}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "Layers kept")
