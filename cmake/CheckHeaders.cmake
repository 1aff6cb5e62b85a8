# check_headers_alone(TARGET [DIRECTORY]): compiles each header of the folder
# (the current one by default) on its own, with TARGET's include paths and
# flags, as part of every build, so that a header that leans on what its
# includer happened to include before it breaks the build where it stands.
# A target whose sources lie in subfolders calls it once for each.
function(check_headers_alone target)
    set(dir ${CMAKE_CURRENT_SOURCE_DIR})
    set(check ${target}_headers_alone)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/headers_alone)
    if(ARGC GREATER 1)
        set(dir ${ARGV1})
        file(RELATIVE_PATH folder ${CMAKE_CURRENT_SOURCE_DIR} ${dir})
        string(MAKE_C_IDENTIFIER "${target}_${folder}_headers_alone" check)
        set(out ${out}/${folder})
    endif()
    file(GLOB headers RELATIVE ${dir} CONFIGURE_DEPENDS ${dir}/*.h)
    set(sources "")
    foreach(header ${headers})
        string(MAKE_C_IDENTIFIER ${header} name)
        set(source ${out}/${name}.cpp)
        file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${dir}/${header}\"\n" @ONLY)
        list(APPEND sources ${source})
    endforeach()
    if(sources)
        add_library(${check} OBJECT ${sources})
        # What TARGET itself compiles with, library or program alike.
        target_include_directories(${check}
            PRIVATE $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
        target_compile_definitions(${check}
            PRIVATE $<TARGET_PROPERTY:${target},COMPILE_DEFINITIONS>)
        target_link_libraries(${check} PRIVATE $<TARGET_PROPERTY:${target},LINK_LIBRARIES>)
        set_target_properties(${check} PROPERTIES AUTOMOC OFF AUTORCC OFF)
    endif()
endfunction()
