# chordalis_layer(TARGET FOLDER [SOURCES ...] [LINKS ...])
#
# One folder of src/ as a static library (an interface library when it has no sources). Its
# sources include each other as "folder/File.h". The include path it gives to itself and to its
# users is a folder of its own that holds only a link to src/FOLDER, so a file sees the folders
# of its own layer and of the layers it links, and nothing above: an upward include does not
# compile.
function(chordalis_layer target folder)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    set(view ${CMAKE_BINARY_DIR}/layers/${target})
    file(MAKE_DIRECTORY ${view})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${view}/${folder} SYMBOLIC)
    if(ARG_SOURCES)
        add_library(${target} STATIC ${ARG_SOURCES})
        target_include_directories(${target} PUBLIC ${view})
        target_link_libraries(${target} PUBLIC ${ARG_LINKS})
        target_compile_definitions(${target} PUBLIC QT_NO_KEYWORDS)
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${view})
        target_link_libraries(${target} INTERFACE ${ARG_LINKS})
    endif()
endfunction()
