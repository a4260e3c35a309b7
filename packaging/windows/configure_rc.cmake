# Writes the Windows resource script of Quillet.exe from Quillet.rc.in.
# In the build: include() this file and call brenmoor_configure_rc(<version> <output>).
# As a script: cmake -DVERSION=1.0 -DOUT=<output> -P configure_rc.cmake

# Four numeric parts, missing ones 0; the text form is "<major>.<minor as two digits>" ("1.00").
function(brenmoor_configure_rc version output)
    string(REPLACE "." ";" parts "${version}")
    list(APPEND parts 0 0 0 0)
    list(GET parts 0 PROJECT_VERSION_MAJOR)
    list(GET parts 1 PROJECT_VERSION_MINOR)
    list(GET parts 2 PROJECT_VERSION_PATCH)
    list(GET parts 3 PROJECT_VERSION_TWEAK)
    set(minor_text "0${PROJECT_VERSION_MINOR}")
    string(LENGTH "${minor_text}" length)
    math(EXPR start "${length} - 2")
    string(SUBSTRING "${minor_text}" ${start} 2 minor_text)
    set(BRENMOOR_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${minor_text}")
    get_filename_component(BRENMOOR_ICON_FILE "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../icons/quillet.ico" ABSOLUTE)
    configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Quillet.rc.in" "${output}" @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    if(NOT DEFINED VERSION OR NOT DEFINED OUT)
        message(FATAL_ERROR "usage: cmake -DVERSION=<x.y> -DOUT=<file> -P configure_rc.cmake")
    endif()
    brenmoor_configure_rc("${VERSION}" "${OUT}")
endif()
