# add_window_icon(TARGET SVG): the window icon at 32 to 64 pixels, rendered
# from the scalable drawing while building (tools/render_icons, so that no
# SVG renderer loads when the program starts) and carried in TARGET as Qt
# resources under :/window-icon. Resources of format 1 carry no file times,
# so the program is the same whenever the pictures were drawn.
function(add_window_icon target svg)
    set(drawn ${CMAKE_CURRENT_BINARY_DIR}/window-icon)
    set(sizes 32 48 64)
    list(TRANSFORM sizes APPEND .png OUTPUT_VARIABLE names)
    list(TRANSFORM names PREPEND ${drawn}/ OUTPUT_VARIABLE pictures)
    add_custom_command(OUTPUT ${pictures}
                       COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                               $<TARGET_FILE:render_icons> --window ${drawn} ${svg} ${sizes}
                       DEPENDS render_icons ${svg})
    qt_add_resources(${target} ${target}_window_icon PREFIX /window-icon BASE ${drawn}
                     OPTIONS --format-version 1 FILES ${pictures})
endfunction()
