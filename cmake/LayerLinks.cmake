# kb_write_layer_links(<file>): writes, for every target of the project, the folder that
# defines it and the libraries it links, as a script that CheckLayers.cmake includes. Call it
# at the end of the top CMakeLists.txt, when every target exists.
function(kb_write_layer_links file)
    set(text "# Written by kb_write_layer_links at configure time.\n")
    set(folders ${CMAKE_SOURCE_DIR})
    while(folders)
        list(POP_FRONT folders folder)
        get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
        list(APPEND folders ${subfolders})
        file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${folder})
        get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "INTERFACE_LIBRARY")
                get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
            else()
                get_target_property(links ${target} LINK_LIBRARIES)
            endif()
            if(NOT links)
                set(links "")
            endif()
            list(FILTER links EXCLUDE REGEX "^\\$<") # generator expressions name no folder
            string(APPEND text "list(APPEND targets ${target})\n"
                               "set(folder_of_${target} \"${relative}\")\n"
                               "set(links_of_${target} \"${links}\")\n")
        endforeach()
    endwhile()
    file(WRITE ${file} "${text}")
endfunction()
