# embed_text(INPUT OUTPUT NAME): writes a header that holds the text of INPUT
# as the constant NAME, so that a picture drawn in a file of its own is also
# compiled into the program. The header is remade when INPUT changes.
function(embed_text input output name)
    file(READ ${input} text)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
    file(CONFIGURE OUTPUT ${output}
         CONTENT "#pragma once\n// Made from ${input}; edit that file instead.\ninline constexpr const char* ${name} = R\"embedded(${text})embedded\";\n"
         @ONLY)
endfunction()
