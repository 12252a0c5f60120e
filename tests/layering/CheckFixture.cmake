# The layering check on a fixture that breaks the layers: it must fail and name exactly the
# fixture's bad includes (one from a sub-folder) and bad link.
# Run: cmake -DFIXTURE=<fixture> -DWORK=<folder> -DCHECK=<CheckLayers.cmake> -DGENERATOR=<g>
#      -P CheckFixture.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -S ${FIXTURE} -B ${WORK} -G ${GENERATOR}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
if(result)
    message(FATAL_ERROR "The fixture does not configure:\n${error}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${FIXTURE}
                        -DLINKS_FILE=${WORK}/layer-links.cmake -P ${CHECK}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
    message(FATAL_ERROR "The check passed the fixture:\n${output}")
endif()
string(REGEX MATCHALL "Against the layers: [^\n]+" found "${output}")
list(TRANSFORM found REPLACE "^Against the layers: " "")
set(expected
    "documents/engine/enginewindow.cpp: #include \"search/searchwindow.h\""
    "documents/pdfview.cpp: #include \"search/searchwindow.h\""
    "printing/printcommands.cpp: #include \"documents/pdfview.h\""
    "documents/CMakeLists.txt: kb_documents_ui links kb_search")
if(NOT found STREQUAL expected)
    list(JOIN found "\n  " foundText)
    message(FATAL_ERROR "The check found, on the fixture:\n  ${foundText}\n${output}")
endif()
message(STATUS "The check fails on the fixture's includes and link")
