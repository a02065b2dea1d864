# The pictures of a resource file of SVG drawings, rendered by rsvg-convert into PNGs at the sizes
# the program asks for (see PictureSizes in pictures.cpp), under the same resource prefix as
# NAME-SIZE.png, and compiled into `target` in place of the drawings, by the same resource name.
function(pondra_png_pictures target qrc)
    find_program(PONDRA_RSVG_CONVERT rsvg-convert REQUIRED)
    get_filename_component(qrc_dir ${qrc} DIRECTORY)
    get_filename_component(qrc_name ${qrc} NAME_WE)
    file(READ ${qrc} text)
    string(REGEX MATCH "prefix=\"([^\"]*)\"" _ "${text}")
    set(prefix ${CMAKE_MATCH_1})
    string(REGEX MATCHALL "<file[^>]*>[^<]*</file>" entries "${text}")
    set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/pictures)
    set(files "")
    set(outputs "")
    foreach(entry IN LISTS entries)
        string(REGEX MATCH ">([^<]*)<" _ "${entry}")
        set(source ${qrc_dir}/${CMAKE_MATCH_1})
        get_filename_component(name ${CMAKE_MATCH_1} NAME_WE)
        if(entry MATCHES "alias=\"([^\".]*)")
            set(name ${CMAKE_MATCH_1})
        endif()
        foreach(size 16 20 22 24 32 40 48 64 128 256)
            set(png ${out_dir}/${name}-${size}.png)
            add_custom_command(OUTPUT ${png}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
                COMMAND ${PONDRA_RSVG_CONVERT} -w ${size} -h ${size} ${source} -o ${png}
                DEPENDS ${source} VERBATIM)
            string(APPEND files "        <file>${name}-${size}.png</file>\n")
            list(APPEND outputs ${png})
        endforeach()
    endforeach()
    file(WRITE ${out_dir}/${qrc_name}.qrc
         "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"${prefix}\">\n${files}    </qresource>\n</RCC>\n")
    target_sources(${target} PRIVATE ${out_dir}/${qrc_name}.qrc ${outputs})
    target_compile_definitions(${target} PRIVATE PONDRA_PNG_PICTURES)
endfunction()
