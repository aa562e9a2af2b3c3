# The icon: packaging/kucun.svg, with PNG sizes rendered from it at build time
# by rsvg-convert (Debian librsvg2-bin).
set(kucun_icon_svg ${CMAKE_CURRENT_LIST_DIR}/kucun.svg)
set(kucun_icon_sizes 16 24 32 48 64 128 256)

# kucun_add_icon(TARGET): builds the PNG sizes into TARGET as
# :/icons/<size>.png, the icon of its windows, and installs the SVG and the
# PNGs into the hicolor icon theme under the desktop id.
function(kucun_add_icon target)
    find_program(KUCUN_RSVG_CONVERT rsvg-convert REQUIRED)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/icons)
    set(pngs)
    foreach(size IN LISTS kucun_icon_sizes)
        set(png ${folder}/${size}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${KUCUN_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${kucun_icon_svg}
            DEPENDS ${kucun_icon_svg} VERBATIM)
        list(APPEND pngs ${png})
        install(FILES ${png} RENAME ${KUCUN_APP_ID}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    qt_add_resources(${target} kucun_icons PREFIX /icons BASE ${folder} FILES ${pngs})
    install(FILES ${kucun_icon_svg} RENAME ${KUCUN_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endfunction()
