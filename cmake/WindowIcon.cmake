# add_window_icon(TARGET SVG NAMESPACE): the window icon at 32 to 64 pixels,
# rendered from the scalable drawing while building (tools/render_icons, so
# that no SVG renderer loads when the program starts) into drawn_icons.h, a
# header of the pixels themselves, kDrawnIcons in NAMESPACE, for TARGET's
# sources: opening the window decodes no image file and loads no image
# plugin. The header holds nothing of when it was drawn.
function(add_window_icon target svg namespace)
    set(drawn ${CMAKE_CURRENT_BINARY_DIR}/window-icon)
    set(header ${drawn}/drawn_icons.h)
    add_custom_command(OUTPUT ${header}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${drawn}
                       COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                               $<TARGET_FILE:render_icons> --window ${header} ${namespace}
                               ${svg} 32 48 64
                       DEPENDS render_icons ${svg})
    target_sources(${target} PRIVATE ${header})
    target_include_directories(${target} PRIVATE ${drawn})
endfunction()
